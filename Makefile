# Developer targets on top of CMake. `make` builds into build/.
BUILD ?= build
# The headless tests again, built with AddressSanitizer and UBSan.
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Under CI (CI=true, as CI services set it) a warning fails the build. Read
# when a build tree is configured: `make clean` first to switch an old one.
WERROR ?= $(if $(filter true 1 yes,$(CI)),ON,OFF)

.PHONY: all build game test test-asan asan-build asan-tests golden run bench format clean package

all: build

# A build tree counts as configured once CMake has written its Makefile: a
# configure that failed (say, before the packages were installed) leaves only
# its cache behind, and the next make configures again.
$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARVO_WERROR=$(WERROR)

build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# Only what the game needs: the executable and its waves. The help file is
# copied beside it when configuring.
game: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target marvostel marvo_wave_files

# The first pass mostly waits (the end-to-end tests play in real time on their
# own displays), so the sanitised tree builds beside it; its log is shown only
# when that build fails. Then the sanitised tests run.
test: build
	@$(MAKE) --no-print-directory asan-build >$(BUILD)/asan-build.log 2>&1 & asan=$$!; \
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS); status=$$?; \
	if ! wait $$asan; then cat $(BUILD)/asan-build.log; exit 1; fi; \
	if [ $$status -ne 0 ]; then exit $$status; fi
	$(MAKE) --no-print-directory asan-tests

$(ASAN_BUILD)/Makefile:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARVO_SANITIZE=ON \
	  -DMARVO_BUILD_BENCH=OFF -DMARVO_WERROR=$(WERROR)

asan-build: $(ASAN_BUILD)/Makefile
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target marvo_headless_tests

test-asan: asan-build
	$(MAKE) --no-print-directory asan-tests

# Any report, leaks included, fails the test that caused it.
asan-tests:
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) -L headless --output-on-failure -j $(JOBS)

# Writes the pictures the tests compare with, tests/golden/*.png, afresh from
# what the code draws now; look at what changed before committing them.
golden: build
	MARVO_GOLDEN_REFRESH=1 ctest --test-dir $(BUILD) -L headless -j $(JOBS)

run: game
	./$(BUILD)/marvostel

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target marvo_benches
	bench/run_bench.sh $(BUILD)

# The Debian package, $(BUILD)/marvostel_<version>_amd64.deb.
package: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target marvostel marvo_wave_files marvo_package_files
	cd $(BUILD) && cpack -G DEB

# The same files the format check reads.
format:
	scripts/source-files | xargs clang-format -i

# The player's own files in the build folder stay: the settings with the hall
# of fame, and the replays. Everything else there goes.
PLAYER_FILES := marvo.ini replays
clean:
	if [ -d $(BUILD) ]; then \
	  find $(BUILD) -mindepth 1 -maxdepth 1 $(foreach f,$(PLAYER_FILES),! -name $(f)) \
	    -exec rm -rf {} +; \
	fi
	rm -rf $(ASAN_BUILD)
