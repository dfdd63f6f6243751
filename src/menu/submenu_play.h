#pragma once
// The choice of scenery or tutorial. A choice passes through the player-count panel: the answer
// (1-3 a level, 4 the tutorial) comes only once a count was chosen; back from the count returns
// to a freshly sliding level choice. -1 is back to the main menu.
#include "menu/submenu.h"

class TSubMenuPlay : public TSubMenu {
 public:
  static std::shared_ptr<TSubMenuPlay> Create(TMenu* parent, const std::string& imagePath, float x,
                                              float y);
  void Init() override;

  int result = -1;

 protected:
  void OnClick(int value) override;
  int Close() override;
};
