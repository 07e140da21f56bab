#include "ui/Grid.h"

#include "ui/Accessible.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <vector>

namespace ui {

namespace {
constexpr double TwipsPerInch = 1440.0;

Qt::Alignment Normalised(Qt::Alignment alignment)
{
    return (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
}
} // namespace

int TwipsToPixels(int twips, const QWidget* widget)
{
    const double dpi = widget ? widget->logicalDpiX() : 96.0;
    return static_cast<int>(twips * dpi / TwipsPerInch + 0.5);
}

int PixelsToTwips(int pixels, const QWidget* widget)
{
    const double dpi = widget ? widget->logicalDpiX() : 96.0;
    return static_cast<int>(pixels * TwipsPerInch / dpi + 0.5);
}

// Row 0 of the grid is the view's horizontal header; the model holds grid rows 1.. as its rows
// 0... Rows and columns change by insertion and removal (not by a reset), so a view keeps its
// current cell and scroll position when a window regrows its grid.
class GridModel final : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : bodyRows(m_rows);
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_cols;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
        switch (role) {
        case Qt::DisplayRole:
            return text(index.row() + 1, index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignment(index.column(), false));
        case Qt::ForegroundRole:
            if (m_color.isValid()) return m_color;
            return {};
        case Qt::BackgroundRole:
            if (index.column() < m_fixedCols) return m_fixedBackground;
            return {};
        default:
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_cols) return {};
        if (role == Qt::DisplayRole) return text(0, section);
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignment(section, true));
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    void setRowCount(int rows)
    {
        rows = std::max(0, rows);
        if (rows == m_rows) return;
        flush();
        const int oldBody = bodyRows(m_rows);
        const int newBody = bodyRows(rows);
        const bool headerChanges = (m_rows == 0) != (rows == 0);
        if (newBody > oldBody)
            beginInsertRows({}, oldBody, newBody - 1);
        else if (newBody < oldBody)
            beginRemoveRows({}, newBody, oldBody - 1);
        // Row-major storage: growing or shrinking by whole rows keeps every other cell in place.
        m_cells.resize(cellCount(rows, m_cols));
        m_rows = rows;
        if (newBody > oldBody)
            endInsertRows();
        else if (newBody < oldBody)
            endRemoveRows();
        if (headerChanges && m_cols > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    }

    void setColumnCount(int cols)
    {
        cols = std::max(0, cols);
        if (cols == m_cols) return;
        flush();
        const int old = m_cols;
        if (cols > old)
            beginInsertColumns({}, old, cols - 1);
        else
            beginRemoveColumns({}, cols, old - 1);
        std::vector<QString> cells(cellCount(m_rows, cols));
        const int keep = std::min(old, cols);
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < keep; ++c)
                cells[at(r, c, cols)] = std::move(m_cells[at(r, c, old)]);
        m_cells = std::move(cells);
        m_cols = cols;
        m_align.resize(static_cast<size_t>(cols), Qt::AlignLeft | Qt::AlignVCenter);
        m_headerAlign.resize(static_cast<size_t>(cols), Qt::AlignLeft | Qt::AlignVCenter);
        if (cols > old)
            endInsertColumns();
        else
            endRemoveColumns();
    }

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // The body rows up to the last one holding any text: what a reader counts (a grid keeps
    // empty rows below its data, for the records to come).
    int filledRows() const
    {
        for (int r = m_rows - 1; r >= 1; --r) {
            for (int c = 0; c < m_cols; ++c)
                if (!m_cells[at(r, c, m_cols)].isEmpty()) return r;
        }
        return 0;
    }
    // Called after queued changes reach the views.
    std::function<void()> flushed;

    QString text(int r, int c) const
    {
        if (!inside(r, c)) return {};
        return m_cells[at(r, c, m_cols)];
    }
    void setText(int r, int c, const QString& t)
    {
        if (!inside(r, c)) return;
        QString& cell = m_cells[at(r, c, m_cols)];
        if (cell == t) return;
        cell = t;
        if (r == 0)
            Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
        else
            noteChanged(r - 1, c);
    }

    // Windows fill thousands of cells one by one inside one handler. Telling the view about
    // each would cost more than the writing; the changed cells are gathered into one rectangle
    // and reported once the handler has returned (or before the grid changes shape). Reads
    // always see the new texts at once.
    void flush()
    {
        if (!m_pending) return;
        m_pending = false;
        const int r2 = std::min(m_dirtyRow2, bodyRows(m_rows) - 1);
        const int c2 = std::min(m_dirtyCol2, m_cols - 1);
        if (m_dirtyRow1 <= r2 && m_dirtyCol1 <= c2)
            Q_EMIT dataChanged(index(m_dirtyRow1, m_dirtyCol1), index(r2, c2), {Qt::DisplayRole});
        if (flushed) flushed();
    }
    void fill(int r1, int r2, int c1, int c2, const QString& t)
    {
        r1 = std::max(0, r1);
        c1 = std::max(0, c1);
        r2 = std::min(r2, m_rows - 1);
        c2 = std::min(c2, m_cols - 1);
        if (r1 > r2 || c1 > c2) return;
        flush();
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                m_cells[at(r, c, m_cols)] = t;
        if (r1 == 0) Q_EMIT headerDataChanged(Qt::Horizontal, c1, c2);
        const int b1 = std::max(r1, 1);
        if (b1 <= r2) Q_EMIT dataChanged(index(b1 - 1, c1), index(r2 - 1, c2), {Qt::DisplayRole});
    }

    Qt::Alignment alignment(int c, bool header) const
    {
        const auto& v = header ? m_headerAlign : m_align;
        if (c < 0 || static_cast<size_t>(c) >= v.size()) return Qt::AlignLeft | Qt::AlignVCenter;
        return v[static_cast<size_t>(c)];
    }
    void setAlignment(int c, Qt::Alignment a, bool header)
    {
        auto& v = header ? m_headerAlign : m_align;
        if (c < 0 || static_cast<size_t>(c) >= v.size()) return;
        v[static_cast<size_t>(c)] = Normalised(a);
        if (header)
            Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
        else
            bodyChanged(c, c, Qt::TextAlignmentRole);
    }

    void setColor(const QColor& color)
    {
        m_color = color;
        bodyChanged(0, m_cols - 1, Qt::ForegroundRole);
    }
    QColor color() const { return m_color; }

    void setFixed(int fixedCols, const QColor& background)
    {
        const int old = m_fixedCols;
        m_fixedCols = fixedCols;
        m_fixedBackground = background;
        if (old != fixedCols) bodyChanged(0, 0, Qt::BackgroundRole);
    }

private:
    static int bodyRows(int rows) { return std::max(0, rows - 1); }
    static size_t cellCount(int rows, int cols)
    {
        return static_cast<size_t>(rows) * static_cast<size_t>(cols);
    }
    static size_t at(int r, int c, int cols)
    {
        return static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c);
    }
    bool inside(int r, int c) const { return r >= 0 && c >= 0 && r < m_rows && c < m_cols; }
    void noteChanged(int row, int col)
    {
        if (!m_pending) {
            m_pending = true;
            m_dirtyRow1 = m_dirtyRow2 = row;
            m_dirtyCol1 = m_dirtyCol2 = col;
            QMetaObject::invokeMethod(this, &GridModel::flush, Qt::QueuedConnection);
            return;
        }
        m_dirtyRow1 = std::min(m_dirtyRow1, row);
        m_dirtyRow2 = std::max(m_dirtyRow2, row);
        m_dirtyCol1 = std::min(m_dirtyCol1, col);
        m_dirtyCol2 = std::max(m_dirtyCol2, col);
    }
    void bodyChanged(int c1, int c2, int role)
    {
        c2 = std::min(c2, m_cols - 1);
        if (m_rows > 1 && c1 <= c2) Q_EMIT dataChanged(index(0, c1), index(m_rows - 2, c2), {role});
    }

    int m_rows = 0;
    int m_cols = 0;
    int m_fixedCols = 1;
    std::vector<QString> m_cells;
    std::vector<Qt::Alignment> m_align;
    std::vector<Qt::Alignment> m_headerAlign;
    QColor m_color;
    QColor m_fixedBackground;
    bool m_pending = false;
    int m_dirtyRow1 = 0;
    int m_dirtyRow2 = 0;
    int m_dirtyCol1 = 0;
    int m_dirtyCol2 = 0;
};

namespace {
// A table view that leaves typed characters to the window: a letter never jumps to a cell
// starting with it, and Tab moves the focus on to the next control.
class GridView final : public QTableView {
public:
    using QTableView::QTableView;
    void keyboardSearch(const QString&) override {}
};
} // namespace

Grid::Grid(QWidget* parent) : QWidget(parent), m_model(new GridModel), m_view(new GridView(this))
{
    m_model->setParent(this);
    m_model->flushed = [this] { describe(); };
    m_model->setFixed(m_fixedCols, palette().color(QPalette::Button));
    m_view->setModel(m_model);
    m_view->verticalHeader()->hide();
    QHeaderView* header = m_view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setMinimumSectionSize(1);
    header->setDefaultSectionSize(TwipsToPixels(DefaultColWidthTwips, this));
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideNone);
    m_view->setCornerButtonEnabled(false);
    m_view->installEventFilter(this);
    describe();
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (!m_settingCurrent && current.isValid())
                    Q_EMIT currentCellChanged(current.row() + 1, current.column());
            });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
}

Grid::~Grid() = default;

void Grid::setRows(int rows)
{
    // Rows removed under the current cell move it; that is the window's doing, not the user's.
    m_settingCurrent = true;
    m_model->setRowCount(rows);
    m_settingCurrent = false;
    describe();
}
void Grid::setCaption(const QString& caption)
{
    const QString spoken = SpokenText(caption);
    setAccessibleName(spoken);
    m_view->setAccessibleName(spoken);
}

void Grid::describe()
{
    // The header row and the empty rows under the data are not rows a reader counts.
    const int bodyRows = m_model->filledRows();
    const QString description =
        QStringLiteral("Table of %1 %2 and %3 %4")
            .arg(bodyRows)
            .arg(bodyRows == 1 ? QStringLiteral("row") : QStringLiteral("rows"))
            .arg(cols())
            .arg(cols() == 1 ? QStringLiteral("column") : QStringLiteral("columns"));
    setAccessibleDescription(description);
    m_view->setAccessibleDescription(description);
}

int Grid::rows() const
{
    return m_model->rows();
}

void Grid::setCols(int cols)
{
    m_settingCurrent = true;
    m_model->setColumnCount(cols);
    m_settingCurrent = false;
    m_colTwips.resize(static_cast<size_t>(std::max(0, cols)), DefaultColWidthTwips);
    describe();
    for (int c = 0; c < m_model->cols(); ++c)
        applyColWidth(c);
    applyWidth();
}
int Grid::cols() const
{
    return m_model->cols();
}

void Grid::setFixedCols(int fixed)
{
    m_fixedCols = std::clamp(fixed, 0, 1);
    m_model->setFixed(m_fixedCols, palette().color(QPalette::Button));
}

void Grid::setWidthTwips(int twips)
{
    m_widthTwips = std::max(0, twips);
    applyWidth();
}

void Grid::applyWidth()
{
    if (m_widthTwips <= 0) return;
    // The windows size their grids to the columns with a margin for the frame and the scroll
    // bar; a style with a wider scroll bar still must not push the last column out of sight.
    int columns = 0;
    for (int c = 0; c < m_model->cols(); ++c)
        columns += m_view->columnWidth(c);
    const int needed =
        columns + 2 * m_view->frameWidth() + m_view->verticalScrollBar()->sizeHint().width();
    setFixedWidth(std::max(TwipsToPixels(m_widthTwips, this), needed));
}

void Grid::applyColWidth(int col)
{
    m_view->setColumnWidth(col, TwipsToPixels(m_colTwips[static_cast<size_t>(col)], this));
}

void Grid::setColWidthTwips(int col, int twips)
{
    if (col < 0 || col >= m_model->cols()) return;
    m_colTwips[static_cast<size_t>(col)] = std::max(0, twips);
    applyColWidth(col);
    applyWidth();
}

int Grid::colWidthTwips(int col) const
{
    if (col < 0 || col >= m_model->cols()) return 0;
    return m_colTwips[static_cast<size_t>(col)];
}

void Grid::setColAlignment(int col, Qt::Alignment alignment)
{
    m_model->setAlignment(col, alignment, false);
}
Qt::Alignment Grid::colAlignment(int col) const
{
    return m_model->alignment(col, false);
}
void Grid::setHeaderAlignment(int col, Qt::Alignment alignment)
{
    m_model->setAlignment(col, alignment, true);
}
Qt::Alignment Grid::headerAlignment(int col) const
{
    return m_model->alignment(col, true);
}

void Grid::setCell(int row, int col, const QString& text)
{
    m_model->setText(row, col, text);
}
QString Grid::cell(int row, int col) const
{
    return m_model->text(row, col);
}

void Grid::fillRange(int row1, int row2, int col1, int col2, const QString& text)
{
    m_model->fill(row1, row2, col1, col2, text);
}

void Grid::setTextColor(const QColor& color)
{
    m_model->setColor(color);
}
QColor Grid::textColor() const
{
    const QColor c = m_model->color();
    return c.isValid() ? c : m_view->palette().color(QPalette::Text);
}

void Grid::setCurrentCell(int row, int col)
{
    if (row < 0 || col < 0 || row >= m_model->rows() || col >= m_model->cols()) return;
    m_settingCurrent = true;
    if (row == 0)
        m_view->selectionModel()->clear();
    else
        m_view->setCurrentIndex(m_model->index(row - 1, col));
    m_settingCurrent = false;
}

int Grid::currentRow() const
{
    const QModelIndex i = m_view->currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}
int Grid::currentCol() const
{
    const QModelIndex i = m_view->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void Grid::stepDown()
{
    const QModelIndex current = m_view->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : 0;
    const int col = current.isValid() ? current.column() : 0;
    if (row >= m_model->rowCount() || col >= m_model->columnCount()) return;
    const QModelIndex next = m_model->index(row, col);
    m_view->setCurrentIndex(next);
    m_view->scrollTo(next);
}

QTableView* Grid::view() const
{
    return m_view;
}
QAbstractItemModel* Grid::model() const
{
    return m_model;
}

bool Grid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The window accepts the event to keep it; an event it leaves must reach the view as it
        // came (Tab, for one, only moves the focus while the event is still accepted).
        const bool accepted = key->isAccepted();
        key->setAccepted(false);
        Q_EMIT keyPressed(key);
        if (key->isAccepted()) return true;
        key->setAccepted(accepted);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
