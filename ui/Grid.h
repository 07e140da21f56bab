#pragma once
// The grid of the draw, pick, check and investment windows: a rectangle of text cells addressed
// from (0, 0), whose row 0 is a fixed header row and whose column 0 is, unless switched off, a
// fixed first column drawn apart from the body. Backed by a model, so thousands of rows fill
// quickly. Sizes are in twips (1440 to the inch), converted with the screen's logical DPI.
#include <QColor>
#include <QWidget>
#include <vector>

class QAbstractItemModel;
class QTableView;
class QKeyEvent;

namespace ui {

class GridModel;

// Twips to device-independent pixels with the widget's logical DPI (the primary screen's when
// no widget is given).
int TwipsToPixels(int twips, const QWidget* widget = nullptr);
int PixelsToTwips(int pixels, const QWidget* widget = nullptr);

class Grid : public QWidget {
    Q_OBJECT
public:
    // The width of a column that no one has sized.
    static constexpr int DefaultColWidthTwips = 900;

    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // Rows and columns, the header row included. Growing keeps every text; shrinking drops the
    // cells that fall off. Setting the count a grid already has changes nothing.
    void setRows(int rows);
    int rows() const;
    void setCols(int cols);
    int cols() const;

    // Column 0 is a fixed column (1, the default) or an ordinary body column (0).
    void setFixedCols(int fixed);
    int fixedCols() const { return m_fixedCols; }

    // The grid's overall width (never narrower than its columns plus frame and scroll bar);
    // and the width of one column.
    void setWidthTwips(int twips);
    int widthTwips() const { return m_widthTwips; }
    void setColWidthTwips(int col, int twips);
    int colWidthTwips(int col) const;

    // Alignment of the body cells of a column (the fixed column's cells included), and of its
    // header cell. Only the horizontal part counts; cells are always centred vertically.
    void setColAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment colAlignment(int col) const;
    void setHeaderAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment headerAlignment(int col) const;

    // Cells outside the grid are ignored on writing and read as "".
    void setCell(int row, int col, const QString& text);
    QString cell(int row, int col) const;
    // Fills every cell of the rectangle with one text (an empty text empties them); the part of
    // the rectangle outside the grid is ignored.
    void fillRange(int row1, int row2, int col1, int col2, const QString& text);

    // The text colour of the body cells (the system's window text until set).
    void setTextColor(const QColor& color);
    QColor textColor() const;

    // The current cell; setting it does not emit currentCellChanged. Row 0 (the header) leaves
    // the grid without a current cell.
    void setCurrentCell(int row, int col);
    int currentRow() const;
    int currentCol() const;
    // Moves the current cell one row down as the Down arrow key does, and reports it.
    void stepDown();

    // The view, for focus handling and screenshots; and its model (row 0 of the grid is the
    // model's horizontal header, grid row r is model row r - 1).
    QTableView* view() const;
    QAbstractItemModel* model() const;

    // What a screen reader calls the grid: the caption the window shows for what it holds. Its
    // description, kept up to date, tells how many rows and columns it has.
    void setCaption(const QString& caption);

Q_SIGNALS:
    // The user made another cell current, by a click or an arrow key.
    void currentCellChanged(int row, int col);
    // A key pressed while the grid has the focus. Set the event accepted to keep the grid from
    // handling it (the investment sheet does its own editing).
    void keyPressed(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void describe();
    void applyWidth();
    void applyColWidth(int col);

    GridModel* m_model;
    QTableView* m_view;
    bool m_settingCurrent = false;
    int m_widthTwips = 0;
    int m_fixedCols = 1;
    std::vector<int> m_colTwips;
};

} // namespace ui
