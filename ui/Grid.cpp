#include "ui/Grid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <vector>

namespace ui {

int TwipsToPixels(int twips, const QWidget* widget)
{
    const double dpi = widget ? widget->logicalDpiX() : 96.0;
    return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

// Row 0 of the grid is the view's horizontal header; the model holds rows 1.. as its rows 0...
class GridModel final : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : std::max(0, m_rows - 1);
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_cols;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return text(index.row() + 1, index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignment(index.column(), false));
        case Qt::ForegroundRole:
            return m_color;
        case Qt::BackgroundRole:
            if (index.column() == 0)
                return QColor(232, 232, 232); // the fixed first column
            return {};
        default:
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal)
            return {};
        if (role == Qt::DisplayRole)
            return text(0, section);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(alignment(section, true));
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    void resize(int rows, int cols)
    {
        rows = std::max(0, rows);
        cols = std::max(0, cols);
        beginResetModel();
        std::vector<QString> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
        for (int r = 0; r < std::min(rows, m_rows); ++r)
            for (int c = 0; c < std::min(cols, m_cols); ++c)
                cells[idx(r, c, cols)] = std::move(m_cells[idx(r, c, m_cols)]);
        m_cells = std::move(cells);
        m_rows = rows;
        m_cols = cols;
        m_align.resize(static_cast<size_t>(cols), Qt::AlignLeft | Qt::AlignVCenter);
        m_headerAlign.resize(static_cast<size_t>(cols), Qt::AlignLeft | Qt::AlignVCenter);
        endResetModel();
    }
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }

    QString text(int r, int c) const
    {
        if (r < 0 || c < 0 || r >= m_rows || c >= m_cols)
            return {};
        return m_cells[idx(r, c, m_cols)];
    }
    void setText(int r, int c, const QString& t)
    {
        if (r < 0 || c < 0 || r >= m_rows || c >= m_cols)
            return;
        m_cells[idx(r, c, m_cols)] = t;
        if (r == 0)
            Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
        else
            Q_EMIT dataChanged(index(r - 1, c), index(r - 1, c), {Qt::DisplayRole});
    }
    void fill(int r1, int r2, int c1, int c2, const QString& t)
    {
        r1 = std::max(0, r1);
        c1 = std::max(0, c1);
        r2 = std::min(r2, m_rows - 1);
        c2 = std::min(c2, m_cols - 1);
        if (r1 > r2 || c1 > c2)
            return;
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                m_cells[idx(r, c, m_cols)] = t;
        if (r1 == 0)
            Q_EMIT headerDataChanged(Qt::Horizontal, c1, c2);
        const int b1 = std::max(r1, 1);
        if (b1 <= r2)
            Q_EMIT dataChanged(index(b1 - 1, c1), index(r2 - 1, c2), {Qt::DisplayRole});
    }
    Qt::Alignment alignment(int c, bool header) const
    {
        const auto& v = header ? m_headerAlign : m_align;
        if (c < 0 || static_cast<size_t>(c) >= v.size())
            return Qt::AlignLeft | Qt::AlignVCenter;
        return v[static_cast<size_t>(c)];
    }
    void setAlignment(int c, Qt::Alignment a, bool header)
    {
        auto& v = header ? m_headerAlign : m_align;
        if (c < 0 || static_cast<size_t>(c) >= v.size())
            return;
        v[static_cast<size_t>(c)] = a | Qt::AlignVCenter;
        if (header)
            Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
        else if (m_rows > 1)
            Q_EMIT dataChanged(index(0, c), index(m_rows - 2, c), {Qt::TextAlignmentRole});
    }
    void setColor(const QColor& color)
    {
        m_color = color;
        if (m_rows > 1 && m_cols > 0)
            Q_EMIT dataChanged(index(0, 0), index(m_rows - 2, m_cols - 1), {Qt::ForegroundRole});
    }
    QColor color() const { return m_color; }

private:
    static size_t idx(int r, int c, int cols)
    {
        return static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c);
    }
    int m_rows = 0;
    int m_cols = 0;
    std::vector<QString> m_cells;
    std::vector<Qt::Alignment> m_align;
    std::vector<Qt::Alignment> m_headerAlign;
    QColor m_color = Qt::black;
};

Grid::Grid(QWidget* parent) : QWidget(parent), m_model(new GridModel), m_view(new QTableView(this))
{
    m_model->setParent(this);
    m_view->setModel(m_model);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
}

Grid::~Grid() = default;

void Grid::setRows(int rows)
{
    m_model->resize(rows, m_model->cols());
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (!m_settingCurrent && current.isValid())
                    Q_EMIT currentCellChanged(current.row() + 1, current.column());
            },
            Qt::UniqueConnection);
}
int Grid::rows() const { return m_model->rows(); }

void Grid::setCols(int cols)
{
    const int old = m_model->cols();
    m_model->resize(m_model->rows(), cols);
    for (int c = old; c < cols; ++c)
        m_view->setColumnWidth(c, TwipsToPixels(900, this));
}
int Grid::cols() const { return m_model->cols(); }

void Grid::setWidthTwips(int twips)
{
    m_widthTwips = twips;
    // Room for the frame and the vertical scroll bar, as the old grid sized its own.
    setFixedWidth(TwipsToPixels(twips, this));
}

void Grid::setColWidthTwips(int col, int twips)
{
    m_view->setColumnWidth(col, TwipsToPixels(twips, this));
}

int Grid::colWidthTwips(int col) const
{
    const double dpi = logicalDpiX();
    return static_cast<int>(m_view->columnWidth(col) * 1440.0 / dpi + 0.5);
}

void Grid::setColAlignment(int col, Qt::Alignment alignment)
{
    m_model->setAlignment(col, alignment, false);
}
void Grid::setHeaderAlignment(int col, Qt::Alignment alignment)
{
    m_model->setAlignment(col, alignment, true);
}

void Grid::setCell(int row, int col, const QString& text) { m_model->setText(row, col, text); }
QString Grid::cell(int row, int col) const { return m_model->text(row, col); }

void Grid::fillRange(int row1, int row2, int col1, int col2, const QString& text)
{
    m_model->fill(row1, row2, col1, col2, text);
}

void Grid::setTextColor(const QColor& color) { m_model->setColor(color); }
QColor Grid::textColor() const { return m_model->color(); }

void Grid::setCurrentCell(int row, int col)
{
    if (row < 1 || col < 0 || row >= m_model->rows() || col >= m_model->cols())
        return;
    m_settingCurrent = true;
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

QTableView* Grid::view() const { return m_view; }

bool Grid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        key->setAccepted(false);
        Q_EMIT keyPressed(key);
        if (key->isAccepted())
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
