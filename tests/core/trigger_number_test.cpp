#include "core/trigger_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using core::readTriggerNumber;

struct NumberCase {
    const char* text;
    double value;
};

TEST(TriggerNumber_Read, TypedTexts) {
    const NumberCase cases[] = {
        {"", 0},    {"00", 0},   {"0", 0},       {"5", 5},   {"05", 5},  {"1.5", 1.5}, {"12:", 12},
        {"3/4", 3}, {":5", 0},   {"1.2.3", 1.2}, {"1:3", 1}, {"24", 24}, {"31", 31},   {"59", 59},
        {"60", 60}, {".5", 0.5}, {"5.", 5},      {".", 0},   {"..", 0},  {"/", 0},     {"9/", 9},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(readTriggerNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(TriggerNumber_Read, PastedTexts) {
    const NumberCase cases[] = {
        {" 5", 0}, // a leading blank is not a digit
        {"5 ", 5},
        {"-5", 0},
        {"+5", 0}, // signs read as 0: no negative trigger
        {"1e3", 1},
        {"1E2", 1}, // no exponent
        {"0x1F", 0},
        {"5a", 5},
        {"a5", 0},
        {"\t7", 0},
        {"1,5", 1},          // the decimal point is a point whatever the locale
        {"\xd9\xa5", 0},     // ARABIC-INDIC DIGIT FIVE: only 0-9 count
        {"\xef\xbc\x95", 0}, // FULLWIDTH DIGIT FIVE
        {"0000000000000000000000000007", 7},
        {"0.000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000001",
         0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(readTriggerNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(TriggerNumber_Read, TooLargeReadsAsInfinityAndFailsEveryLimit) {
    const std::string huge(400, '9');
    const double value = readTriggerNumber(huge);
    EXPECT_EQ(value, std::numeric_limits<double>::infinity());
    EXPECT_GT(value, 59.0);
}

} // namespace
