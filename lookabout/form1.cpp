#include "form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QVBoxLayout>

#include <ostream>

namespace lookabout {

namespace {
const QString BrowseTitle = QStringLiteral("Select a network computer or share.");
}

Form1::Form1(BrowseForFolder::Sources sources, std::ostream& out, QWidget* parent)
    : QWidget(parent), sources_(sources), out_(out)
{
    setObjectName("Form1");
    setWindowTitle(tr("Browse Network"));
    createControls();
}

void Form1::createControls()
{
    Check1 = new QCheckBox(this);
    Check1->setObjectName("Check1");
    Check1->setChecked(true);
    Check2 = new QCheckBox(this);
    Check2->setObjectName("Check2");
    Check2->setChecked(false);
    Text2 = new QLineEdit(this);
    Text2->setObjectName("Text2");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Check1);
    layout->addWidget(Check2);
    layout->addWidget(Text2);
}

void Form1::load()
{
    Form_Load();
}

void Form1::Form_Load()
{
    Check1->setText(tr("Use New UI"));
    Check2->setText(tr("No 'New Folder' Button"));
    Text2->clear();
    const bool newUi = Check1->isChecked();
    const bool noNewFolderButton = Check2->isChecked();
    Text2->setText(BrowseNetworkItem(this, newUi, noNewFolderButton));
    // Scripts read the name from standard output.
    if (!Text2->text().isEmpty())
        out_ << Text2->text().toStdString() << std::endl;
    hide();
    CloseAndEnd();
}

QString Form1::BrowseNetworkItem(QWidget* owner, bool newUi, bool noNewFolderButton)
{
    unsigned flags = BIF_RETURNONLYFSDIRS;
    if (newUi)
        flags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (noNewFolderButton)
        flags += BIF_NONEWFOLDERBUTTON;

    // A dialog is a window of its own: its hidden owner stays hidden.
    BrowseForFolder browser(BrowseTitle, flags, sources_, owner);
    if (browser.exec() != QDialog::Accepted)
        return {};
    if (!browser.chosenPath().isEmpty())
        return TrimAtNul(browser.chosenPath());
    return "\\\\" + TrimAtNul(browser.chosenName());
}

QString Form1::TrimAtNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

void Form1::CloseAndEnd()
{
    ending_ = true;
    close();
    deleteLater();
    QCoreApplication::exit(0);
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!ending_)
        Form_QueryUnload();
    event->accept();
}

void Form1::Form_QueryUnload()
{
    // Closed from outside: the program ends at once.
    ending_ = true;
    deleteLater();
    QCoreApplication::exit(0);
}

} // namespace lookabout
