#pragma once
// The grid of the draw, pick, check and investment windows: a rectangle of text cells addressed
// from (0, 0), whose row 0 is a fixed header row. Backed by a model, so thousands of rows fill
// quickly. Sizes are in twips (1440 to the inch), converted with the screen's logical DPI.
#include <QColor>
#include <QWidget>

class QTableView;
class QKeyEvent;

namespace ui {

class GridModel;

int TwipsToPixels(int twips, const QWidget* widget = nullptr);

class Grid : public QWidget {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    void setRows(int rows);
    int rows() const;
    void setCols(int cols);
    int cols() const;

    // The grid's overall width; and the width of one column.
    void setWidthTwips(int twips);
    void setColWidthTwips(int col, int twips);
    int colWidthTwips(int col) const;

    // Alignment of the body cells of a column, and of its header cell.
    void setColAlignment(int col, Qt::Alignment alignment);
    void setHeaderAlignment(int col, Qt::Alignment alignment);

    void setCell(int row, int col, const QString& text);
    QString cell(int row, int col) const;
    // Fills every cell of the rectangle with one text (an empty text empties them).
    void fillRange(int row1, int row2, int col1, int col2, const QString& text);

    // The text colour of the whole grid.
    void setTextColor(const QColor& color);
    QColor textColor() const;

    // The current cell; setting it does not emit currentCellChanged.
    void setCurrentCell(int row, int col);
    int currentRow() const;
    int currentCol() const;

    // The view, for focus handling and screenshots.
    QTableView* view() const;

Q_SIGNALS:
    // The user made another cell current, by a click or an arrow key.
    void currentCellChanged(int row, int col);
    // A key pressed while the grid has the focus. Set the event accepted to keep the grid from
    // handling it (the investment sheet does its own editing).
    void keyPressed(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridModel* m_model;
    QTableView* m_view;
    bool m_settingCurrent = false;
    int m_widthTwips = 0;
};

} // namespace ui
