// The any-value: typed access, conversion through text, copies and value references.
#include <gtest/gtest.h>

#include "tarn/utils/containers/canycontainer.h"

using tarn::CAnyContainer;

TEST(AnyContainer, TextConvertsToTypesByStreamExtraction) {
    CAnyContainer value(std::string("2.5"));
    EXPECT_DOUBLE_EQ(value.Get<double>(), 2.5);
    EXPECT_EQ(value.Get<int>(), 2);
    EXPECT_EQ(value.ToText(), "2.5");
    EXPECT_EQ(CAnyContainer("abc").Get<int>(), 0);  // text that does not parse reads as 0
}

TEST(AnyContainer, TypedValuesKeepTheirType) {
    CAnyContainer value(7);
    EXPECT_TRUE(value.IsType<int>());
    EXPECT_FALSE(value.IsType<std::string>());
    ASSERT_NE(value.GetPointer<int>(), nullptr);
    EXPECT_EQ(*value.GetPointer<int>(), 7);
    EXPECT_EQ(value.GetPointer<std::string>(), nullptr);
    EXPECT_EQ(value.ToText(), "7");
    EXPECT_EQ(value.Get<std::string>(), "7");
    EXPECT_DOUBLE_EQ(CAnyContainer(0.25f).Get<double>(), 0.25);
}

TEST(AnyContainer, EmptyHasNoTypeAndNoText) {
    CAnyContainer value;
    EXPECT_TRUE(value.IsEmpty());
    EXPECT_EQ(value.ToText(), "");
    EXPECT_FALSE(value.IsType<int>());
    EXPECT_EQ(value.Get<int>(), 0);
}

TEST(AnyContainer, CopiesAreDeepAndAssignmentReplaces) {
    CAnyContainer a(10);
    CAnyContainer b(a);
    *a.GetPointer<int>() = 11;
    EXPECT_EQ(b.ToText(), "10");
    EXPECT_EQ(a.ToText(), "11");
    b = std::string("x");
    EXPECT_TRUE(b.IsType<std::string>());
    EXPECT_EQ(b.ToText(), "x");
    b = a;
    EXPECT_EQ(b.ToText(), "11");
    b = "lit";
    EXPECT_EQ(b.ToText(), "lit");
}

TEST(ValueRef, ShowsAndSetsTheReferencedVariable) {
    int number = 5;
    tarn::CValueRefT<int> ref(&number, "number", false);
    EXPECT_EQ(ref.ToText(), "5");
    ref.FromText("42");
    EXPECT_EQ(number, 42);
    EXPECT_EQ(ref.GetName(), "number");
    tarn::CValueRefT<int> constRef(&number, "c", true);
    constRef.FromText("1");
    EXPECT_EQ(number, 42);
}
