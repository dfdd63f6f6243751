#pragma once
// "Are you sure?" before the program ends: answers 1 for yes, 2 for no.
#include "menu/submenu.h"

class TSubMenuQuit : public TSubMenu {
 public:
  static constexpr int kYesAnswer = 1;
  static constexpr int kNoAnswer = 2;

  static std::shared_ptr<TSubMenuQuit> Create(TMenu* parent, const std::string& imagePath, float x,
                                              float y);
  void Init() override;

  int result = 0;

 protected:
  void OnClick(int value) override;
  int Close() override;
};
