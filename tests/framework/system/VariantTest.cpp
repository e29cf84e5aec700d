#include "framework/Variants.h"

#include <gtest/gtest.h>

namespace Tovix {
namespace {

TEST(VariantTest, ConvertsBetweenTypesAndNullReadsAsEmptyText) {
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(VarToStr(Variant()), "");
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_FALSE(VarIsNull(Variant("")));
  EXPECT_EQ(Variant(42).AsString(), "42");
  EXPECT_EQ(Variant(-7LL).AsInt64(), -7);
  EXPECT_EQ(Variant(2.5).AsString(), "2.5");
  EXPECT_EQ(Variant(0.1).AsString(), "0.1");
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant(" 12 ").AsInteger(), 12);
  EXPECT_DOUBLE_EQ(Variant("1.5e2").AsFloat(), 150.0);
  EXPECT_EQ(Variant(2.5).AsInteger(), 2);  // halves round to even
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_TRUE(Variant("true").AsBoolean());
  EXPECT_FALSE(Variant("0").AsBoolean());
  EXPECT_EQ(VarType(Variant("x")), varString);
}

TEST(VariantTest, BadConversionsRaiseWithTheTypesNamed) {
  try {
    Variant("abc").AsInteger();
    FAIL() << "no exception";
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), "Could not convert variant of type (String) into type (Double)");
  }
  EXPECT_THROW(Null().AsInteger(), EVariantError);
  EXPECT_THROW(Variant().AsFloat(), EVariantError);
  EXPECT_THROW(Variant("maybe").AsBoolean(), EVariantError);
  EXPECT_THROW(Variant(3e9).AsInteger(), EVariantError);
  EXPECT_THROW(Variant(1e300).AsInt64(), EVariantError);
  EXPECT_EQ(Variant(3e9).AsInt64(), 3000000000LL);
}

TEST(VariantTest, ComparesNumbersByValueStringsByBytesAndNullFirst) {
  EXPECT_EQ(Variant(2), Variant(2.0));
  EXPECT_LT(Variant(2), Variant(2.5));
  EXPECT_EQ(Variant("10"), Variant(10));
  EXPECT_LT(Variant("B"), Variant("a"));
  EXPECT_NE(Variant("a"), Variant("A"));
  EXPECT_EQ(Null(), Null());
  EXPECT_NE(Null(), Variant(""));
  EXPECT_NE(Null(), Variant());
  EXPECT_LT(Null(), Variant(-1000));
  EXPECT_EQ(Variant(true), Variant("True"));
  EXPECT_THROW((void)(Variant("x") < Variant(1)), EVariantError);
}

TEST(InvalidCastTest, ACheckedCastToAClassTheObjectIsNotRaises) {
  Exception error("e");
  EAbort abort("a");
  std::exception* any = &abort;
  EXPECT_EQ(&abort, CheckedCast<EAbort>(any));
  EXPECT_EQ(nullptr, CheckedCast<EAbort>(static_cast<std::exception*>(nullptr)));
  any = &error;
  EXPECT_THROW(CheckedCast<EAbort>(any), EInvalidCast);
}

}  // namespace
}  // namespace Tovix
