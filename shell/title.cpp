#include "shell/title.h"

#include "engine/field.h"
#include "flow/status.h"
#include "generated/game_files.h"
#include "resources/pictures.h"
#include "ui/surface.h"

namespace marvo {

void DemoTick(GameRecord& record, MainFormModel& form) {
  int32_t index = record.CaptionIndex + 1;
  if (index > kLinkCount || index < 1) index = 1;
  record.CaptionIndex = index;
  form.lblBgmName.caption = record.Captions[size_t(index)];

  Surface& field = form.picSTAGE.surface;
  if (record.DemoPhase == 0) {
    record.DemoPhase = 1;
    // The field shows the title here: AND with the mask leaves it at half density.
    // The mask covers the whole field, like the stage backup's copies.
    BitBlt(field, 0, 0, kFieldCopyWidth, kFieldCopyHeight, form.TitleMask(), 0, 0,
           RasterOp::kSrcAnd);
    DrawFieldBorder(field);
    ShowHallOfFame(form, -1);
  } else {
    record.DemoPhase = 0;
    ShowTitlePicture(field);
    ShowHallOfFame(form, 0);
  }
}

void LoadWindowPictures(MainFormModel& form) {
  form.TitleMask().AssignPicture(LoadPicture(kPictureTitleMask));
  form.BannerSheet().AssignPicture(LoadPicture(kPictureBannerSheet));
  form.BannerMask().AssignPicture(LoadPicture(kPictureBannerMask));
  form.StageBackup().AssignPicture(nullptr);
  ShowTitlePicture(form.picSTAGE.surface);
}

}  // namespace marvo
