#include <gtest/gtest.h>

#include <vector>

#include <korvane/ObjectList.h>
#include <korvane/ObjectListIterator.h>

namespace {

// Distinct fake pointers: the list never dereferences its entries.
ko::Object* fake(int i) {
  return reinterpret_cast<ko::Object*>(static_cast<uintptr_t>(16 * (i + 1)));
}

std::vector<ko::Object*> entries(const ko::ObjectList& list) {
  std::vector<ko::Object*> out;
  for (ko::ObjectListIterator it(&list); !it.isDone(); it.next()) out.push_back(it.currentObject());
  return out;
}

}  // namespace

TEST(ObjectList, HoldsExactlyItsCapacity) {
  ko::ObjectList list;
  for (int i = 0; i < ko::MAX_OBJECTS_NUM; ++i) ASSERT_EQ(list.insert(fake(i)), 0) << i;
  EXPECT_TRUE(list.isFull());
  EXPECT_EQ(list.insert(fake(5000)), -1);
  EXPECT_EQ(list.getCount(), 5000);
  list.clear();
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.insert(fake(9)), 0);
  EXPECT_EQ(entries(list), std::vector<ko::Object*>{fake(9)});
}

TEST(ObjectList, RemoveTakesTheFirstOccurrenceAndKeepsOrder) {
  ko::ObjectList list;
  for (int i : {0, 1, 2, 3}) list.insert(fake(i));
  EXPECT_EQ(list.remove(fake(1)), 0);
  EXPECT_EQ(entries(list), (std::vector<ko::Object*>{fake(0), fake(2), fake(3)}));
  EXPECT_EQ(list.remove(fake(1)), -1);
  EXPECT_EQ(list.getCount(), 3);

  list.insert(fake(0));
  EXPECT_EQ(list.remove(fake(0)), 0);
  EXPECT_EQ(entries(list), (std::vector<ko::Object*>{fake(2), fake(3), fake(0)}));
}

TEST(ObjectList, ConcatenationKeepsTheLeftFirstAndDropsTheOverflow) {
  ko::ObjectList left, right;
  for (int i = 0; i < 3000; ++i) {
    left.insert(fake(i));
    right.insert(fake(10000 + i));
  }
  const ko::ObjectList sum = left + right;
  const std::vector<ko::Object*> all = entries(sum);
  ASSERT_EQ(all.size(), 5000u);
  EXPECT_EQ(all[2999], fake(2999));
  EXPECT_EQ(all[3000], fake(10000));
  EXPECT_EQ(all[4999], fake(11999));
  EXPECT_EQ(left.getCount(), 3000);
}

TEST(ObjectList, CopiesAreIndependent) {
  ko::ObjectList source;
  source.insert(fake(0));
  source.insert(fake(1));
  ko::ObjectList copy(source);
  copy.remove(fake(0));
  copy.insert(fake(2));
  ko::ObjectList assigned;
  assigned = source;
  // Self-assignment must keep the entries; through a reference so that
  // compilers do not flag the deliberate self-assignment.
  const ko::ObjectList& same = assigned;
  assigned = same;
  EXPECT_EQ(entries(source), (std::vector<ko::Object*>{fake(0), fake(1)}));
  EXPECT_EQ(entries(copy), (std::vector<ko::Object*>{fake(1), fake(2)}));
  EXPECT_EQ(entries(assigned), entries(source));
}

TEST(ObjectListIterator, WalksTheLiveListToItsEnd) {
  ko::ObjectList list;
  ko::ObjectListIterator empty(&list);
  EXPECT_TRUE(empty.isDone());
  EXPECT_EQ(empty.currentObject(), nullptr);
  empty.next();
  EXPECT_TRUE(empty.isDone());

  list.insert(fake(0));
  ko::ObjectListIterator it(&list);
  std::vector<ko::Object*> walked;
  for (; !it.isDone(); it.next()) {
    walked.push_back(it.currentObject());
    if (walked.size() == 1) list.insert(fake(1));  // appended while walking
  }
  EXPECT_EQ(walked, (std::vector<ko::Object*>{fake(0), fake(1)}));

  ko::ObjectList other;
  other.insert(fake(7));
  it.setList(&other);
  it.first();
  EXPECT_EQ(it.currentObject(), fake(7));
}
