#include "app/form1.h"
#include "fakes/fake_services.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The time of day as the window shows it: the locale's long format without the zone name.
QString TimeOfDay(const QLocale& locale, QTime time) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(time, format.simplified());
}

TEST(Form1Layout, EveryLabelHoldsItsWidestText) {
    fakes::FakeServices f;
    Form1 form(f.services);
    std::vector<std::pair<QLabel*, QString>> cases = {
        {form.ldd, "31"},
        {form.lhh, "24"},
        {form.lmm, "59"},
        {form.Label4, "Startup Info"},
        {form.Label11, "Date :"},
        {form.Label12, "Time :"},
        {form.Label13, "Now  :"},
    };
    // A two-digit day and the widest times of day, in a few common regional formats.
    for (const char* name : {"C", "en_US", "en_GB", "de_DE", "fr_FR"}) {
        const QLocale locale(QString::fromLatin1(name));
        cases.emplace_back(form.Label5, locale.toString(QDate(2026, 12, 27), QLocale::ShortFormat));
        for (const QTime time : {QTime(23, 59, 59), QTime(11, 59, 59)}) {
            cases.emplace_back(form.Label10, TimeOfDay(locale, time));
            cases.emplace_back(form.Label14, TimeOfDay(locale, time));
        }
    }
    for (const auto& [label, text] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->width());
    }
}

TEST(Form1Layout, HeadingEndsBeforeTheTransparencyButton) {
    fakes::FakeServices f;
    Form1 form(f.services);
    const int headingEnd = form.Label4->x() + form.Label4->fontMetrics().horizontalAdvance(form.Label4->text());
    EXPECT_LE(headingEnd, form.Image10->x());
}

} // namespace
