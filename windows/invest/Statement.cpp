#include "windows/invest/Statement.h"

#include "text/Format.h"

namespace inv {

namespace {

// Right-aligns in `width` characters; an amount too long for its field is printed whole
// rather than cut, even though its right edge then moves.
QString Pad(const QString& text, int width)
{
    return text.size() >= width ? text : text::RightAlign(text, width);
}

} // namespace

ui::TextDocument ComposeStatement(const InvestmentSheet& sheet, const QString& currencySymbol)
{
    ui::TextPrinter out;
    for (int i = 0; i < 4; ++i)
        out.endLine();
    out.tab(30);
    out.print(QStringLiteral("INVESTMENT STATEMENT"));
    out.endLine();
    out.endLine();
    out.endLine();
    out.tab(8);
    out.print(QStringLiteral("DESCRIPTION                                           AMOUNT"));
    out.endLine();
    out.tab(8);
    out.print(QStringLiteral("___________                                           ______"));
    out.endLine();
    out.endLine();

    for (int r = 1; r <= sheet.SheetRowCount; ++r) {
        out.tab(8);
        out.print(sheet.cell(r, 0).asText().left(InvestmentSheet::MaxDescription));
        out.tab(56);
        out.print(Pad(AmountText(sheet.cell(r, 1), text::MoneyPattern::Amount), 12));
        out.endLine();
    }

    for (int i = 0; i < 3; ++i)
        out.endLine();
    out.tab(8);
    out.print(QStringLiteral("Total"));
    out.tab(55);
    out.print(Pad(currencySymbol + text::Money(sheet.SheetTotal, text::MoneyPattern::Amount), 13));
    out.endLine();

    out.newPage();
    out.finish();
    return out.document();
}

} // namespace inv
