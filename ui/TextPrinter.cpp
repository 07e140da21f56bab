#include "ui/TextPrinter.h"

namespace ui {

TextPrinter::TextPrinter(int linesPerPage) : m_linesPerPage(linesPerPage < 1 ? 1 : linesPerPage)
{
    m_doc.pages.emplace_back();
}

void TextPrinter::pushLine(const QString& line)
{
    if (static_cast<int>(m_doc.pages.back().size()) >= m_linesPerPage)
        m_doc.pages.emplace_back();
    m_doc.pages.back().append(line);
}

void TextPrinter::tab(int column)
{
    if (column < 1)
        column = 1;
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
    m_line += text;
    m_lineOpen = true;
}

void TextPrinter::endLine()
{
    pushLine(m_line);
    m_line.clear();
    m_lineOpen = false;
}

void TextPrinter::newPage()
{
    if (m_lineOpen)
        endLine();
    m_doc.pages.emplace_back();
}

int TextPrinter::pageNumber() const
{
    return static_cast<int>(m_doc.pages.size()) +
           (static_cast<int>(m_doc.pages.back().size()) >= m_linesPerPage && m_lineOpen ? 1 : 0);
}

void TextPrinter::finish()
{
    if (m_finished)
        return;
    if (m_lineOpen)
        endLine();
    // An untouched last page (a page begun and then closed) is not sent.
    if (m_doc.pages.size() > 1 && m_doc.pages.back().isEmpty())
        m_doc.pages.pop_back();
    m_finished = true;
}

} // namespace ui
