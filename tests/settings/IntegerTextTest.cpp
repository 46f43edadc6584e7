#include "ini/IntegerText.h"

#include <optional>
#include <ostream>
#include <string_view>

#include <gtest/gtest.h>

namespace {

struct IntegerCase
{
    std::string_view text;
    std::optional<std::int32_t> expected;
};

std::ostream &operator<<(std::ostream &out, const IntegerCase &integerCase)
{
    return out << '"' << integerCase.text << '"';
}

class ParseIntegerTest : public testing::TestWithParam<IntegerCase>
{};

TEST_P(ParseIntegerTest, ReadsTheTextAsDocumented)
{
    EXPECT_EQ(ParseInteger(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Decimal,
                         ParseIntegerTest,
                         testing::Values(IntegerCase{"0", 0},
                                         IntegerCase{"42", 42},
                                         IntegerCase{"+42", 42},
                                         IntegerCase{"-7", -7},
                                         IntegerCase{"-0", 0},
                                         IntegerCase{"007", 7},
                                         IntegerCase{"  12", 12},
                                         IntegerCase{"\t-3", -3},
                                         IntegerCase{"2147483647", 2147483647},
                                         IntegerCase{"-2147483648", INT32_MIN},
                                         IntegerCase{"00000000000000000001", 1}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal,
                         ParseIntegerTest,
                         testing::Values(IntegerCase{"$1F", 31},
                                         IntegerCase{"$1f", 31},
                                         IntegerCase{"x1F", 31},
                                         IntegerCase{"X1F", 31},
                                         IntegerCase{"0x1F", 31},
                                         IntegerCase{"0X1f", 31},
                                         IntegerCase{"  $10", 16},
                                         IntegerCase{"$7FFFFFFF", 2147483647},
                                         IntegerCase{"$80000000", INT32_MIN},
                                         IntegerCase{"$FFFFFFFF", -1},
                                         IntegerCase{"$000000001", 1}));

INSTANTIATE_TEST_SUITE_P(NoInteger,
                         ParseIntegerTest,
                         testing::Values(IntegerCase{"", std::nullopt},
                                         IntegerCase{"   ", std::nullopt},
                                         IntegerCase{"+", std::nullopt},
                                         IntegerCase{"-", std::nullopt},
                                         IntegerCase{"$", std::nullopt},
                                         IntegerCase{"0x", std::nullopt},
                                         IntegerCase{"12abc", std::nullopt},
                                         IntegerCase{"12 ", std::nullopt},
                                         IntegerCase{"1 2", std::nullopt},
                                         IntegerCase{"abc", std::nullopt},
                                         IntegerCase{"TRUE", std::nullopt},
                                         IntegerCase{"1.5", std::nullopt},
                                         IntegerCase{"- 1", std::nullopt},
                                         IntegerCase{"--1", std::nullopt},
                                         IntegerCase{"2147483648", std::nullopt},
                                         IntegerCase{"-2147483649", std::nullopt},
                                         IntegerCase{"4294967296", std::nullopt},
                                         IntegerCase{"99999999999999999999999", std::nullopt},
                                         IntegerCase{"$100000000", std::nullopt},
                                         IntegerCase{"$1G", std::nullopt},
                                         IntegerCase{"-$1", std::nullopt},
                                         IntegerCase{"+0x1", std::nullopt},
                                         IntegerCase{"00x1", std::nullopt},
                                         IntegerCase{"$$1", std::nullopt},
                                         IntegerCase{std::string_view("1\0", 2), std::nullopt}));

} // namespace
