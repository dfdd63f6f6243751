#pragma once
// The number of players for the match or the tutorial: answers 2, 3 or 4 after storing it in the
// settings' playerCount (in memory only), or -1 for back.
#include "menu/submenu.h"

class TSubMenuPlayers : public TSubMenu {
 public:
  static std::shared_ptr<TSubMenuPlayers> Create(TMenu* parent, const std::string& imagePath,
                                                 float x, float y);
  void Init() override;

  int result = -1;

 protected:
  void OnClick(int value) override;
  int Close() override;
};
