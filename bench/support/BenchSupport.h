#pragma once
// What the benchmarks share: a full table of random draws, and services that show nothing.
#include "models/draws/DrawDatabase.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printer.h"

#include <random>

namespace bench {

// A full table: 2,000 records of `picks` numbers from 1..high, two or three days apart.
inline database::DrawDatabase RandomDatabase(int picks, int high, unsigned seed = 7)
{
    database::DrawDatabase db;
    db.setTitle(QStringLiteral("Benchmark"));
    db.setShape(picks, high);
    db.setFirstAdvance(3);
    db.setRecordCount(database::DrawDatabase::MaxRecords);
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> pick(1, high);
    QDate date(1990, 1, 3);
    for (int r = 1; r <= db.recordCount(); ++r) {
        database::DrawRecord& rec = db.record(r);
        rec.RecordNo = r;
        rec.DrawDate = date;
        date = date.addDays(r % 2 ? 3 : 4);
        for (int k = 0; k < picks; ++k)
            rec.Numbers[static_cast<size_t>(k)] = pick(gen);
    }
    return db;
}

class QuietDialogs final : public ui::Dialogs {
public:
    void message(const QString&, const QString&) override {}
    bool ask(const QString&, const QString&) override { return false; }
    std::optional<QString> chooseFile(ui::FileMode, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    void beep() override {}
    void setBusy(bool) override {}
};

class NoPrinter final : public ui::Printer {
public:
    bool printText(const ui::TextDocument&, const QString&) override { return false; }
    bool printPage(const ui::PagePainter&, const QString&, bool) override { return false; }
};

class FixedClock final : public ui::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime(10, 0)); }
    void wait(int) override {}
};

} // namespace bench
