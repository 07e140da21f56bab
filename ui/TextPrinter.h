#pragma once
// A printout composed as pages of text lines in a fixed-pitch font, the way the program's
// printouts position text: by character columns counted from 1 at the left margin.
#include <QString>
#include <QStringList>
#include <vector>

namespace ui {

struct TextDocument {
    std::vector<QStringList> pages; // every page's lines, without line ends
    // The page length the document was composed for; a renderer fits at least this many lines
    // on a sheet.
    int linesPerPage = 66;
};

class TextPrinter final {
public:
    static constexpr int DefaultLinesPerPage = 66; // eleven inches at six lines to the inch

    // The printer's own page overflow: a page that reaches this many lines continues on the next.
    explicit TextPrinter(int linesPerPage = DefaultLinesPerPage);

    // Moves the print position to column n (1 is the left edge). Past column n already, the
    // position becomes column n of the next line.
    void tab(int column);
    // Prints text at the print position and leaves the line open.
    void print(const QString& text);
    // Ends the current line (an empty line when nothing was printed on it).
    void endLine();
    // Starts a new page.
    void newPage();
    // The number of the page being printed, from 1.
    int pageNumber() const;
    // The current print position (1-based column).
    int column() const { return static_cast<int>(m_line.size()) + 1; }
    // Ends the page and the document: no empty page is left at the end. Nothing printed after
    // it counts.
    void finish();
    bool finished() const { return m_finished; }

    const TextDocument& document() const { return m_doc; }
    int linesPerPage() const { return m_linesPerPage; }

private:
    void pushLine(const QString& line);
    int m_linesPerPage;
    TextDocument m_doc;
    QString m_line;
    bool m_lineOpen = false;
    bool m_finished = false;
};

} // namespace ui
