#pragma once
// The choice of scenery or tutorial, or network play. A choice passes through the player-count
// panel (network play through its own panel): the answer (1-3 a level, 4 the tutorial, 5 a
// network match ready) comes only once a count was chosen (or the match agreed); back from there
// returns to a freshly sliding level choice. -1 is back to the main menu.
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
