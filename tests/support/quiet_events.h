#pragma once

#include "ui/form.h"

namespace marvo::support {

// A main window whose handlers do nothing; a test overrides the few it watches.
class QuietEvents : public MainFormEvents {
 public:
  void Form_Load() override {}
  void Form_Unload(int16_t&) override {}
  void Form_KeyDown(int16_t&, int16_t&) override {}
  void picSTAGE_KeyDown(int16_t&, int16_t&) override {}
  void DemoTimer_Timer() override {}
  void MMG_Start_Click() override {}
  void MMG_Watch_Click() override {}
  void MMG_End_Click() override {}
  void MMG_BGMU_Click() override {}
  void MMG_BGMN_Click() override {}
  void MMG_BGMT1_Click() override {}
  void MMG_BGMT2_Click() override {}
  void MMH_Help_Click() override {}
  void MMH_Web_Click() override {}
  void MMH_About_Click() override {}
  void lblBgmName_Click() override {}
};

}  // namespace marvo::support
