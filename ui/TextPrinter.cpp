#include "ui/TextPrinter.h"

namespace ui {

TextPrinter::TextPrinter(int linesPerPage) : m_linesPerPage(linesPerPage < 1 ? 1 : linesPerPage)
{
    m_doc.linesPerPage = m_linesPerPage;
    m_doc.pages.emplace_back();
}

void TextPrinter::pushLine(const QString& line)
{
    // A full page overflows onto the next one only when another line actually arrives, so a
    // page that ends exactly at its last line leaves no empty page behind.
    if (static_cast<int>(m_doc.pages.back().size()) >= m_linesPerPage) m_doc.pages.emplace_back();
    m_doc.pages.back().append(line);
}

void TextPrinter::tab(int column)
{
    if (m_finished) return;
    if (column < 1) column = 1;
    const int target = column - 1;
    if (m_line.size() > target) {
        pushLine(m_line);
        m_line.clear();
    }
    m_line += QString(target - m_line.size(), QLatin1Char(' '));
    m_lineOpen = true;
}

void TextPrinter::print(const QString& text)
{
    if (m_finished) return;
    m_line += text;
    m_lineOpen = true;
}

void TextPrinter::endLine()
{
    if (m_finished) return;
    pushLine(m_line);
    m_line.clear();
    m_lineOpen = false;
}

void TextPrinter::newPage()
{
    if (m_finished) return;
    if (m_lineOpen) endLine();
    m_doc.pages.emplace_back();
}

int TextPrinter::pageNumber() const
{
    // An open line on a full page will come out on the next page.
    const bool overflowing =
        m_lineOpen && static_cast<int>(m_doc.pages.back().size()) >= m_linesPerPage;
    return static_cast<int>(m_doc.pages.size()) + (overflowing ? 1 : 0);
}

void TextPrinter::finish()
{
    if (m_finished) return;
    if (m_lineOpen) endLine();
    // The page begun by the closing new page is never sent, so no empty sheet comes out.
    if (m_doc.pages.size() > 1 && m_doc.pages.back().isEmpty()) m_doc.pages.pop_back();
    m_finished = true;
}

} // namespace ui
