// The entity list: walks that survive removal and appending, and the depth sort.
#include <gtest/gtest.h>

#include "play_field.h"

namespace {

using Log = std::vector<std::string>;

struct ListTest : ::testing::Test {
  std::shared_ptr<Probe> Add(const std::string& name, int depth = 0) {
    auto probe = std::make_shared<Probe>(name, depth, &log);
    field.manager->Add(probe);
    return probe;
  }
  PlayField field;
  Log log;
};

TEST_F(ListTest, UpdateAllSkipsEntitiesRemovedBeforeTheirTurnAndReachesAppendedOnes) {
  auto a = Add("a");
  auto b = Add("b");
  auto c = Add("c");
  auto d = Add("d");
  a->onUpdate = [&](Probe&) { c->Remove(); };  // removed before its turn: skipped
  b->onUpdate = [&](Probe& self) {
    self.Remove();  // the walk goes on from what followed b
    Add("e");
  };
  d->onUpdate = [&](Probe&) { Add("f"); };  // appended behind the last one: still reached
  field.manager->UpdateAll();
  EXPECT_EQ(log, (Log{"update a", "update b", "update d", "update e", "update f"}));
  EXPECT_EQ(field.manager->entities.Count(), 4u);  // a, d, e, f
}

TEST_F(ListTest, TheLastEntityMayRemoveItselfAndAppendOthers) {
  Add("a");
  auto b = Add("b");
  b->onUpdate = [&](Probe& self) {
    self.Remove();
    Add("c")->onUpdate = [&](Probe& c) { c.Remove(); };
    Add("d");
  };
  field.manager->UpdateAll();
  EXPECT_EQ(log, (Log{"update a", "update b", "update c", "update d"}));
  EXPECT_EQ(field.manager->entities.Count(), 2u);  // a and d
}

TEST_F(ListTest, TheLastEntityMayRemoveTheOneBeforeItThenItselfAndStillHaveNewcomersUpdated) {
  for (bool firstStays : {true, false}) {
    SCOPED_TRACE(firstStays);
    field.manager->Clear();
    log.clear();
    if (firstStays) Add("a");
    auto b = Add("b");
    Add("c")->onUpdate = [&](Probe& self) {
      b->Remove();
      self.Remove();
      Add("d");
    };
    field.manager->UpdateAll();
    EXPECT_EQ(log.back(), "update d");
    EXPECT_EQ(field.manager->entities.Count(), firstStays ? 2u : 1u);
  }
}

TEST_F(ListTest, AnEntityRemovingEveryoneEndsTheWalkCleanly) {
  auto a = Add("a");
  auto b = Add("b");
  Add("c");
  a->onUpdate = [&](Probe&) { field.manager->entities.Clear(); };
  field.manager->UpdateAll();
  EXPECT_EQ(log, (Log{"update a"}));
  EXPECT_EQ(field.manager->entities.Count(), 0u);
  b->Remove();  // its entry is gone already: nothing happens
  EXPECT_EQ(field.manager->entities.Count(), 0u);

  auto restart = Add("restart");  // a fresh field made during the walk is walked too
  restart->onUpdate = [&](Probe&) {
    field.manager->Clear();
    Add("after");
  };
  log.clear();
  field.manager->UpdateAll();
  EXPECT_EQ(log, (Log{"update restart", "update after"}));
}

TEST_F(ListTest, DrawAllDrawsGreaterDepthsFirstAndEqualDepthsInTheOrderAdded) {
  Add("front", 10);
  Add("first-level", 50);
  Add("back", 90);
  Add("second-level", 50);
  Add("middle", 60);
  field.manager->DrawAll();
  EXPECT_EQ(log, (Log{"draw back", "draw middle", "draw first-level", "draw second-level",
                      "draw front"}));
}

TEST_F(ListTest, SortingKeepsEveryEntityTiedToItsOwnEntry) {
  auto low = Add("low", 1);
  auto high = Add("high", 99);
  auto mid = Add("mid", 50);
  field.manager->DrawAll();
  log.clear();
  mid->Remove();
  high->Remove();
  field.manager->DrawAll();
  EXPECT_EQ(log, (Log{"draw low"}));
  EXPECT_EQ(low->GetLink()->Entity(), low);
}

TEST_F(ListTest, ALongListIsSortedAndTornDownWithoutTrouble) {
  for (int i = 0; i < 1500; ++i) Add("n", i % 7);
  field.manager->entities.SortByDepth();
  int previous = 1000;
  bool ordered = true;
  field.manager->entities.Walk([&](const std::shared_ptr<TEntidad>& e) {
    ordered = ordered && e->depth <= previous;
    previous = e->depth;
  });
  EXPECT_TRUE(ordered);
  field.manager->Clear();
  EXPECT_EQ(field.manager->entities.Count(), 0u);
  for (int i = 0; i < 200000; ++i) Add("n");  // released one entry at a time, not recursively
  field.manager->Clear();
  EXPECT_EQ(field.manager->entities.Count(), 0u);
}

TEST(EntityCompare, SmallerDepthComparesGreater) {
  Probe near("near", 10, nullptr), far("far", 20, nullptr), level("level", 10, nullptr);
  EXPECT_EQ(near.Compare(far), 1);
  EXPECT_EQ(far.Compare(near), -1);
  EXPECT_EQ(near.Compare(level), 0);
}

}  // namespace
