#!/usr/bin/perl
# The pixel reader of the end-to-end scripts: one process for a whole script,
# started by lib.sh beside it. Each line on stdin is a request, each answer one
# line on stdout ("ERR ..." when a request cannot be met). Shots are X window
# dumps (xwd, 32 bits a pixel) or the PPM crops this reader writes; a file is
# read once and kept until `load` reads it again. Colours are RRGGBB.
#
#   load FILE                       reads FILE (again); answers "ok"
#   px FILE X Y                     the colour at (X, Y)
#   count FILE RRGGBB X Y W H       pixels of that colour in the rectangle
#   kept FILE REF RRGGBB X Y W H    pixels of that colour in both files
#   differ A B X Y W H              pixels that differ between two files
#   crop FILE OUT X Y W H           saves the rectangle as the PPM file OUT
#   glyphs FILE RRGGBB X Y W H      the rectangle's line of text as letters: each
#                                   run of columns holding the colour is a glyph,
#                                   the same letter for the same pixels
use strict;
use warnings;

$| = 1;
my %images;  # file => { w, h, data, start, bpl, bytes, lsb }: rows bpl bytes apart

sub slurp {
  my ($file) = @_;
  open(my $in, '<:raw', $file) or die "cannot read $file: $!\n";
  local $/;
  my $data = <$in>;
  close($in);
  return $data;
}

sub read_xwd {
  my ($data) = @_;
  my ($header_size, undef, undef, undef, $w, $h, undef, $byte_order, undef, undef, undef, $bpp,
      $bpl, undef, $red, $green, $blue, undef, undef, $ncolors) = unpack('N20', $data);
  die "only 24- and 32-bit dumps are read, not $bpp-bit\n" unless $bpp == 32 || $bpp == 24;
  die "unexpected colour masks\n" unless $red == 0xFF0000 && $green == 0xFF00 && $blue == 0xFF;
  my $start = $header_size + $ncolors * 12;
  die "the dump is cut short\n" if length($data) < $start + $bpl * $h;
  return { w => $w, h => $h, data => $data, start => $start, bpl => $bpl, bytes => $bpp / 8,
           lsb => $byte_order == 0 };
}

sub read_ppm {
  my ($data) = @_;
  # ImageMagick writes a comment line after the magic number.
  $data =~ s/\AP6\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+255\s//s or die "not a PPM file\n";
  my ($w, $h) = ($1, $2);
  die "the PPM file is cut short\n" if length($data) < $w * $h * 3;
  my @bytes = unpack('C*', substr($data, 0, $w * $h * 3));
  my $pixels = pack('V*', map { ($bytes[3 * $_] << 16) | ($bytes[3 * $_ + 1] << 8) | $bytes[3 * $_ + 2] }
                            0 .. $w * $h - 1);
  return { w => $w, h => $h, data => $pixels, start => 0, bpl => $w * 4, bytes => 4, lsb => 1 };
}

sub load {
  my ($file) = @_;
  my $data = slurp($file);
  $images{$file} = substr($data, 0, 2) eq 'P6' ? read_ppm($data) : read_xwd($data);
  return $images{$file};
}

sub image { my ($file) = @_; return $images{$file} // load($file); }

# The rows of a rectangle, clipped to the image: a list of array references.
sub rect {
  my ($img, $x, $y, $w, $h) = @_;
  my ($x0, $y0) = ($x < 0 ? 0 : $x, $y < 0 ? 0 : $y);
  my $x1 = $x + $w > $img->{w} ? $img->{w} : $x + $w;
  my $y1 = $y + $h > $img->{h} ? $img->{h} : $y + $h;
  return () if $x1 <= $x0 || $y1 <= $y0;
  my ($n, $bytes) = ($x1 - $x0, $img->{bytes});
  my @rows;
  for my $y ($y0 .. $y1 - 1) {
    my $run = substr($img->{data}, $img->{start} + $y * $img->{bpl} + $x0 * $bytes, $n * $bytes);
    if ($bytes == 4) {
      push @rows, [map { $_ & 0xFFFFFF } unpack(($img->{lsb} ? 'V' : 'N') . $n, $run)];
    } else {
      my @b = unpack('C*', $run);
      push @rows, $img->{lsb} ? [map { $b[3 * $_] | ($b[3 * $_ + 1] << 8) | ($b[3 * $_ + 2] << 16) } 0 .. $n - 1]
                              : [map { ($b[3 * $_] << 16) | ($b[3 * $_ + 1] << 8) | $b[3 * $_ + 2] } 0 .. $n - 1];
    }
  }
  return @rows;
}

sub colour { my ($hex) = @_; die "bad colour $hex\n" unless $hex =~ /\A[0-9A-Fa-f]{6}\z/; return hex($hex); }

my %do = (
  load => sub { load($_[0]); return 'ok'; },
  px => sub {
    my ($file, $x, $y) = @_;
    my ($row) = rect(image($file), $x, $y, 1, 1);
    die "($x, $y) lies outside $file\n" unless $row;
    return sprintf('%06X', $row->[0]);
  },
  count => sub {
    my ($file, $hex, @r) = @_;
    my $c = colour($hex);
    my $n = 0;
    for my $row (rect(image($file), @r)) { $n += grep { $_ == $c } @$row; }
    return $n;
  },
  kept => sub {
    my ($file, $ref, $hex, @r) = @_;
    my $c = colour($hex);
    my @a = rect(image($file), @r);
    my @b = rect(image($ref), @r);
    my $n = 0;
    for my $i (0 .. $#a) {
      next unless $b[$i];
      for my $j (0 .. $#{$a[$i]}) { ++$n if $a[$i][$j] == $c && ($b[$i][$j] // -1) == $c; }
    }
    return $n;
  },
  differ => sub {
    my ($file, $other, @r) = @_;
    my @a = rect(image($file), @r);
    my @b = rect(image($other), @r);
    my $n = 0;
    for my $i (0 .. $#a) {
      for my $j (0 .. $#{$a[$i]}) { ++$n if !$b[$i] || ($b[$i][$j] // -1) != $a[$i][$j]; }
    }
    return $n;
  },
  crop => sub {
    my ($file, $out, @r) = @_;
    my @rows = rect(image($file), @r);
    die "the rectangle lies outside $file\n" unless @rows;
    open(my $o, '>:raw', $out) or die "cannot write $out: $!\n";
    print $o 'P6 ' . scalar(@{$rows[0]}) . ' ' . scalar(@rows) . " 255\n";
    print $o pack('C*', map { ($_ >> 16) & 255, ($_ >> 8) & 255, $_ & 255 } @$_) for @rows;
    close($o) or die "cannot write $out: $!\n";
    delete $images{$out};
    return 'ok';
  },
  glyphs => sub {
    my ($file, $hex, @r) = @_;
    my $c = colour($hex);
    my @rows = rect(image($file), @r);
    return '' unless @rows;
    my $w = @{$rows[0]};
    # One string of 0 and 1 a column, top to bottom.
    my @columns = map { my $x = $_; join('', map { $_->[$x] == $c ? 1 : 0 } @rows) } 0 .. $w - 1;
    my (%letter, @glyph);
    my $out = '';
    for my $column (@columns, '') {
      if ($column =~ /1/) { push @glyph, $column; next; }
      next unless @glyph;
      my $key = join(',', @glyph);
      $letter{$key} = chr(ord('A') + scalar(keys %letter)) unless exists $letter{$key};
      $out .= $letter{$key};
      @glyph = ();
    }
    return $out;
  },
);

while (my $line = <STDIN>) {
  chomp $line;
  my ($command, @args) = split(' ', $line);
  next unless defined $command;
  my $answer = eval {
    die "unknown request $command\n" unless $do{$command};
    $do{$command}->(@args);
  };
  if (defined $answer) {
    print "$answer\n";
  } else {
    (my $error = $@ || 'failed') =~ s/\s+\z//;
    print "ERR $command: $error\n";
  }
}
