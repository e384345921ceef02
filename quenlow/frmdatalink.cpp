#include "frmdatalink.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <set>

namespace quenlow {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// "key=value" lines of the free list; a line without "=" is a bare key.
struct Line {
    std::string key, value;
    bool bare;
};

std::vector<Line> parseLines(const QString& text)
{
    std::vector<Line> out;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            out.push_back({line.trimmed().toStdString(), {}, true});
        else
            out.push_back({line.left(eq).trimmed().toStdString(), line.mid(eq + 1).toStdString(), false});
    }
    return out;
}

bool isSourceKey(const std::string& key) { return sameKey(key, "Driver") || sameKey(key, "DSN"); }

} // namespace

frmDataLink::frmDataLink(DataAccess& dataAccess, QWidget* owner) : QDialog(owner), dataAccess_(dataAccess)
{
    setObjectName(QStringLiteral("frmDataLink"));
    setWindowTitle(QStringLiteral("Data Link Properties"));
    setModal(true);
    createControls();
    fillSources();
}

void frmDataLink::createControls()
{
    optDriver = new QRadioButton(QStringLiteral("Use a &driver:"));
    optDriver->setObjectName(QStringLiteral("optDriver"));
    cboDriver = new QComboBox;
    cboDriver->setObjectName(QStringLiteral("cboDriver"));
    optDataSource = new QRadioButton(QStringLiteral("Use a data &source name:"));
    optDataSource->setObjectName(QStringLiteral("optDataSource"));
    cboDataSource = new QComboBox;
    cboDataSource->setObjectName(QStringLiteral("cboDataSource"));
    fraFields = new QGroupBox(QStringLiteral("Connection properties"));
    fraFields->setObjectName(QStringLiteral("fraFields"));
    fieldsLayout = new QFormLayout(fraFields);
    txtOther = new QPlainTextEdit;
    txtOther->setObjectName(QStringLiteral("txtOther"));
    txtOther->setTabChangesFocus(true);
    auto* lblOther = new QLabel(QStringLiteral("&Other attributes (one key=value a line):"));
    lblOther->setBuddy(txtOther);
    txtPreview = new QPlainTextEdit;
    txtPreview->setObjectName(QStringLiteral("txtPreview"));
    txtPreview->setReadOnly(true);
    txtPreview->setMaximumHeight(70);
    auto* lblPreview = new QLabel(QStringLiteral("Connection string (password hidden):"));
    auto* buttons = new QDialogButtonBox;
    cmdOK = buttons->addButton(QDialogButtonBox::Ok);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(optDriver, 0, 0);
    grid->addWidget(cboDriver, 0, 1);
    grid->addWidget(optDataSource, 1, 0);
    grid->addWidget(cboDataSource, 1, 1);
    grid->addWidget(fraFields, 2, 0, 1, 2);
    grid->addWidget(lblOther, 3, 0, 1, 2);
    grid->addWidget(txtOther, 4, 0, 1, 2);
    grid->addWidget(lblPreview, 5, 0, 1, 2);
    grid->addWidget(txtPreview, 6, 0, 1, 2);
    grid->addWidget(buttons, 7, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    resize(520, 560);

    connect(optDriver, &QRadioButton::toggled, this, &frmDataLink::optDriver_Toggled);
    connect(cboDriver, &QComboBox::activated, this, &frmDataLink::cboDriver_Activated);
    connect(cboDataSource, &QComboBox::activated, this, &frmDataLink::cboDataSource_Activated);
    connect(txtOther, &QPlainTextEdit::textChanged, this, &frmDataLink::txtOther_Changed);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void frmDataLink::fillSources()
{
    for (const std::string& d : dataAccess_.drivers())
        cboDriver->addItem(qs(d));
    dataSources_ = dataAccess_.dataSources();
    for (const DataSource& s : dataSources_)
        cboDataSource->addItem(qs(s.name));
}

std::optional<QString> frmDataLink::PromptNew()
{
    connection_ = {};
    showConnection();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return qs(connection_.str());
}

bool frmDataLink::PromptEdit(QString& connectionString)
{
    connection_ = ConnectionString::parse(connectionString.toStdString());
    showConnection();
    if (exec() != QDialog::Accepted)
        return false;
    connectionString = qs(connection_.str());
    return true;
}

void frmDataLink::showConnection()
{
    filling_ = true;
    const auto& attrs = connection_.attributes();
    auto position = [&](const char* key) {
        for (std::size_t i = 0; i < attrs.size(); ++i)
            if (!attrs[i].key.empty() && sameKey(attrs[i].key, key))
                return i;
        return attrs.size();
    };
    // The driver manager takes whichever of the two comes first.
    const bool dsnMode = position("DSN") < position("Driver");
    auto select = [](QComboBox* box, const std::optional<std::string>& name) {
        if (!name) {
            box->setCurrentIndex(-1);
            return;
        }
        int i = box->findText(qs(*name), Qt::MatchFixedString);
        if (i < 0) {  // not installed here: kept, so that the string survives
            box->addItem(qs(*name));
            i = box->count() - 1;
        }
        box->setCurrentIndex(i);
    };
    optDriver->setChecked(!dsnMode);
    optDataSource->setChecked(dsnMode);
    select(cboDriver, dsnMode ? std::nullopt : connection_.get("Driver"));
    select(cboDataSource, dsnMode ? connection_.get("DSN") : std::nullopt);
    cboDriver->setEnabled(!dsnMode);
    cboDataSource->setEnabled(dsnMode);
    showFields();
    showOther();
    updatePreview();
    filling_ = false;
}

void frmDataLink::showFields()
{
    while (fieldsLayout->rowCount() > 0)
        fieldsLayout->removeRow(0);
    fieldEdits_.clear();
    fields_.clear();
    if (optDataSource->isChecked()) {
        fields_ = {{"UID", "", false}, {"PWD", "", true}};
    } else if (cboDriver->currentIndex() >= 0) {
        fields_ = dataAccess_.driverFields(cboDriver->currentText().toStdString());
    }
    std::set<std::string> seen;
    for (const DriverField& f : fields_) {
        if (isSourceKey(f.key) || !seen.insert(QString::fromStdString(f.key).toLower().toStdString()).second)
            continue;
        auto* edit = new QLineEdit(qs(connection_.get(f.key).value_or(std::string())));
        edit->setObjectName(QStringLiteral("fld") + qs(f.key));
        edit->setPlaceholderText(qs(f.hint));
        if (f.secret)
            edit->setEchoMode(QLineEdit::Password);
        const QString key = qs(f.key);
        connect(edit, &QLineEdit::textEdited, this, [this, key](const QString& text) { field_Edited(key, text); });
        fieldsLayout->addRow(key + QLatin1Char(':'), edit);
        fieldEdits_[f.key] = edit;
    }
    fraFields->setVisible(!fieldEdits_.empty());
}

bool frmDataLink::isFieldKey(const std::string& key) const
{
    for (const auto& [k, edit] : fieldEdits_)
        if (sameKey(k, key))
            return true;
    return false;
}

void frmDataLink::showOther()
{
    const bool wasFilling = filling_;
    filling_ = true;
    QString text;
    for (const Attribute& a : connection_.attributes()) {
        if (a.key.empty() || isSourceKey(a.key) || isFieldKey(a.key))
            continue;
        text += a.text.find('=') == std::string::npos ? qs(a.key) : qs(a.key) + QLatin1Char('=') + qs(a.value);
        text += QLatin1Char('\n');
    }
    txtOther->setPlainText(text);
    filling_ = wasFilling;
}

void frmDataLink::optDriver_Toggled(bool checked)
{
    if (filling_)
        return;
    cboDriver->setEnabled(checked);
    cboDataSource->setEnabled(!checked);
    if (checked) {
        connection_.remove("DSN");
        if (cboDriver->currentIndex() >= 0)
            connection_.set("Driver", cboDriver->currentText().toStdString(), true);
    } else {
        connection_.remove("Driver");
        if (cboDataSource->currentIndex() >= 0)
            connection_.set("DSN", cboDataSource->currentText().toStdString(), true);
    }
    showFields();
    showOther();
    updatePreview();
}

void frmDataLink::cboDriver_Activated()
{
    connection_.remove("DSN");
    connection_.set("Driver", cboDriver->currentText().toStdString(), true);
    showFields();
    showOther();
    updatePreview();
}

void frmDataLink::cboDataSource_Activated()
{
    connection_.remove("Driver");
    connection_.set("DSN", cboDataSource->currentText().toStdString(), true);
    updatePreview();
}

void frmDataLink::field_Edited(const QString& key, const QString& text)
{
    if (text.isEmpty())
        connection_.remove(key.toStdString());
    else
        connection_.set(key.toStdString(), text.toStdString());
    updatePreview();
}

void frmDataLink::txtOther_Changed()
{
    if (filling_)
        return;
    const std::vector<Line> lines = parseLines(txtOther->toPlainText());
    std::vector<std::string> gone;
    for (const Attribute& a : connection_.attributes()) {
        if (a.key.empty() || isSourceKey(a.key) || isFieldKey(a.key))
            continue;
        if (std::none_of(lines.begin(), lines.end(), [&](const Line& l) { return sameKey(l.key, a.key); }))
            gone.push_back(a.key);
    }
    for (const std::string& key : gone)
        connection_.remove(key);
    for (const Line& l : lines) {
        if (l.key.empty())
            continue;
        const bool unchangedBare = l.bare && std::any_of(connection_.attributes().begin(), connection_.attributes().end(), [&](const Attribute& a) {
                                       return sameKey(a.key, l.key) && a.text.find('=') == std::string::npos;
                                   });
        if (!unchangedBare)
            connection_.set(l.key, l.value);
    }
    // A field's key typed into the list shows in its field too.
    for (const auto& [key, edit] : fieldEdits_)
        edit->setText(qs(connection_.get(key).value_or(std::string())));
    updatePreview();
}

void frmDataLink::updatePreview()
{
    ConnectionString shown = connection_;
    auto secret = [&](const std::string& key) {
        return sameKey(key, "PWD") || sameKey(key, "Password")
               || std::any_of(fields_.begin(), fields_.end(), [&](const DriverField& f) { return f.secret && sameKey(f.key, key); });
    };
    for (const Attribute& a : connection_.attributes())
        if (!a.key.empty() && !a.value.empty() && secret(a.key))
            shown.set(a.key, "********");
    txtPreview->setPlainText(qs(shown.str()));
}

} // namespace quenlow
