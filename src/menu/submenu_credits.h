#pragma once
// The credits picture with an OK button; it always answers 1 when closed.
#include "menu/submenu.h"

class TSubMenuCredits : public TSubMenu {
 public:
  static std::shared_ptr<TSubMenuCredits> Create(TMenu* parent, const std::string& imagePath,
                                                 float x, float y);
  void Init() override;

 protected:
  void OnClick(int value) override;
  int Close() override;
};
