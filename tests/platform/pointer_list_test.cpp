#include <gtest/gtest.h>

#include "velloran/foundations/errors.h"
#include "velloran/platform/pointer_list.h"

using namespace vl;

namespace {
int v[6];
}

TEST(PointerList, IndexErrors) {
    TList l;
    l.Add(&v[0]);
    l.Add(&v[1]);
    EXPECT_THROW(l.Get(2), EListError);
    EXPECT_THROW(l.Get(-1), EListError);
    EXPECT_THROW(l.Delete(2), EListError);
    EXPECT_THROW(l.Put(5, nullptr), EListError);
    EXPECT_THROW(l.Exchange(0, 2), EListError);
    EXPECT_THROW(l.Move(2, 2), EListError);
    EXPECT_THROW(l.Insert(3, &v[2]), EListError);
    EXPECT_THROW(l.SetCount(-1), EListError);
    EXPECT_THROW(l.SetCapacity(1), EListError);
    l.Insert(2, &v[2]); // at Count: appends
    EXPECT_EQ(l.Last(), &v[2]);
    TList empty;
    EXPECT_THROW(empty.First(), EListError);
}

TEST(PointerList, PackDropsNilKeepingOrder) {
    TList l;
    l.SetCount(2); // grows with nil
    l.Add(&v[0]);
    l.Add(nullptr);
    l.Add(&v[1]);
    l.Insert(0, &v[2]);
    l.Pack();
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Get(0), &v[2]);
    EXPECT_EQ(l.Get(1), &v[0]);
    EXPECT_EQ(l.Get(2), &v[1]);
}

TEST(PointerList, RemoveExtractExchangeMove) {
    TPointerList<int> l;
    for (int i = 0; i < 4; ++i) l.Add(&v[i]);
    l.Add(&v[1]); // duplicate: only the first goes
    EXPECT_EQ(l.Remove(&v[1]), 1);
    EXPECT_EQ(l.IndexOf(&v[1]), 3);
    EXPECT_EQ(l.Remove(&v[5]), -1);
    EXPECT_EQ(l.Extract(&v[2]), &v[2]);
    EXPECT_EQ(l.Extract(&v[2]), nullptr);
    // Now 0, 3, 1.
    l.Exchange(0, 2);
    EXPECT_EQ(l.First(), &v[1]);
    l.Move(0, 2);
    EXPECT_EQ(l.Items(0), &v[3]);
    EXPECT_EQ(l.Items(1), &v[0]);
    EXPECT_EQ(l.Items(2), &v[1]);
}
