#pragma once
// The data-link dialog: builds a connection string from the installed
// drivers and data sources, the fields the chosen driver takes and a free
// list of further attributes. Modal to its owner; yields the string or a
// cancellation.
#include "connectionstring.h"
#include "dataaccess.h"

#include <QDialog>
#include <QString>

#include <map>
#include <optional>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quenlow {

class frmDataLink : public QDialog {
    Q_OBJECT

public:
    frmDataLink(DataAccess& dataAccess, QWidget* owner);

    // A new connection: the string the user built, or nothing when cancelled.
    std::optional<QString> PromptNew();
    // The dialog filled from connectionString; true and the changed string when confirmed.
    bool PromptEdit(QString& connectionString);

private:
    void createControls();
    void fillSources();
    void showConnection();
    void showFields();
    void showOther();
    void optDriver_Toggled(bool checked);
    void cboDriver_Activated();
    void cboDataSource_Activated();
    void field_Edited(const QString& key, const QString& text);
    void txtOther_Changed();
    void updatePreview();
    bool isFieldKey(const std::string& key) const;

    DataAccess& dataAccess_;
    ConnectionString connection_;
    std::vector<DataSource> dataSources_;
    std::vector<DriverField> fields_;
    std::map<std::string, QLineEdit*> fieldEdits_;
    bool filling_ = false;

    QRadioButton* optDriver = nullptr;
    QComboBox* cboDriver = nullptr;
    QRadioButton* optDataSource = nullptr;
    QComboBox* cboDataSource = nullptr;
    QGroupBox* fraFields = nullptr;
    QFormLayout* fieldsLayout = nullptr;
    QPlainTextEdit* txtOther = nullptr;
    QPlainTextEdit* txtPreview = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace quenlow
