#pragma once
// "Import Draws" (LImport): reads a table of draws from a file, a web address or the clipboard,
// shows how each column is taken and what will happen to every row, and merges the new draws
// into the database only when the user presses "&Import". Cancel changes nothing. The same
// window is "Update Draws": the source the database remembers, read as it was read then, with
// only what is new, in conflict or rejected.
#include "models/history/Import.h"
#include "models/history/RememberedSource.h"

#include <QDialog>
#include <memory>

namespace core {
struct AppState;
}
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace ui {
struct Services;
}

namespace history {

class PlanModel;

class ImportDialog final : public QDialog {
    Q_OBJECT
public:
    ImportDialog(core::AppState& state, ui::Services& services, QWidget* parent = nullptr);
    ~ImportDialog() override;

    // Reads a source's text, as "&Paste Table" does; `name` names it in the window and the
    // messages. A text set so has no place to be remembered.
    void setSource(const QString& text, const QString& name);
    // "Open &File...": the file dialog, then the file read. False when cancelled or unreadable.
    bool openFile();
    // "&Paste Table": the clipboard's text, or the web address it holds.
    void pasteTable();
    // "Web &address": downloads the address and reads it. A plain http address is asked about
    // first. False when the user said no or cancelled, or the download failed (its one line
    // shown).
    bool openAddress(const QString& address);
    // Update Draws: reads the source the database remembers and plans it. False, its message
    // shown, when there is nothing to show: no source remembered, a failure, nothing new, or a
    // cancelled download.
    bool startUpdate();

    const ImportPlan& plan() const { return m_plan; }
    const Mapping& mapping() const { return m_mapping; }
    // Sets the use of a column (as its "Use as" box does) and plans again. Choosing Date for a
    // second column asks first; false when the user keeps the first one.
    bool setColumnRole(int column, ColumnRole role);
    // Takes some of a field's numbers (as a "Use as" choice such as "Numbers 1-5" does).
    void setColumnPick(const NumberPick& pick);

private:
    void buildControls();
    // The source's name with "Open &File..." and "&Paste Table".
    QHBoxLayout* buildSourceRow();
    // Rows of the options grid: how the text is split and how its dates read; the database's
    // shape; which draws are taken and how.
    void addReadingOptions(QGridLayout* options);
    void addShapeOptions(QGridLayout* options);
    void addPlanOptions(QGridLayout* options);
    // The grids of the columns and of the planned rows; each returns its caption.
    QLabel* buildColumnsTable();
    QHBoxLayout* buildRowsTable();
    // The counts with "&Import" and "Cancel".
    QHBoxLayout* buildButtonRow();
    void connectControls();
    void describeControls();
    // The source's text from `location` (a file path or an address; empty for the clipboard):
    // noted, then split as it reads best and its columns found.
    void showSource(const QString& text, const QString& name, const QString& location);
    void noteSource(const QString& text, const QString& name, const QString& location);
    // Downloads `address` (a plain http one only once the user accepted it); false when it
    // failed (its line shown) or was cancelled.
    bool download(const QString& address, QString& text);
    bool readRemembered(const RememberedSource& source, QString& text);
    void applyRemembered(const RememberedSource& source, const QString& text,
                         const SourceTable& table, const Mapping& mapping);
    void rememberSource();
    void readTable();    // separator or header changed: split again, detect, plan
    void detect();       // the columns, the date order and (for an empty database) the shape
    void guessColumns(); // the user set the shape: the columns guessed again to match it
    void replan();       // the options changed: plan again and show it
    void showColumns();
    void showColumnUses(); // every "Use as" box as the mapping stands
    void refreshDateOrder();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showCounts();
    void importClicked();
    Shape shape() const;
    ImportOptions options() const;

    core::AppState& m_state;
    ui::Services& m_services;
    QString m_sourceText;
    QString m_sourceName;
    // Where the source came from, to be remembered: a file's path or an address; empty for the
    // clipboard.
    QString m_sourceLocation;
    // Update Draws: the rows list leaves out the rows already present.
    bool m_forUpdate = false;
    SourceTable m_table;
    Detection m_detection;
    Mapping m_mapping;
    ImportPlan m_plan;
    bool m_updating = false;
    // A "Use as" choice: a role, and for Numbers the part of the field taken.
    struct UseChoice {
        ColumnRole role = ColumnRole::Ignore;
        NumberPick pick;
    };
    std::vector<std::vector<UseChoice>> m_useChoices; // by column

    QLabel* m_sourceLabel = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_paste = nullptr;
    QLineEdit* m_address = nullptr;
    QComboBox* m_separator = nullptr;
    QCheckBox* m_headerRow = nullptr;
    QComboBox* m_dateOrder = nullptr;
    QLabel* m_dateOrderNote = nullptr;
    QLabel* m_shapeNote = nullptr;
    QSpinBox* m_picks = nullptr;
    QSpinBox* m_highNumber = nullptr;
    QCheckBox* m_sortNumbers = nullptr;
    QCheckBox* m_replaceConflicts = nullptr;
    QCheckBox* m_onlyRange = nullptr;
    QDateEdit* m_rangeFrom = nullptr;
    QDateEdit* m_rangeTo = nullptr;
    QTableWidget* m_columns = nullptr;
    QTableView* m_plannedRows = nullptr;
    QCheckBox* m_problemsOnly = nullptr;
    std::unique_ptr<PlanModel> m_model;
    QLabel* m_counts = nullptr;
    QCheckBox* m_remember = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace history
