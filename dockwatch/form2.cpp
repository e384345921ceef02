#include "form2.h"

#include "hostlookup.h"

#include "ui/errors.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/pictures.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace dockwatch {
namespace {

QLineEdit* heading(const char* name, const QString& text)
{
    auto* h = new QLineEdit(text);
    h->setObjectName(QLatin1String(name));
    h->setReadOnly(true);
    h->setAlignment(Qt::AlignCenter);
    h->setFocusPolicy(Qt::NoFocus);
    ui::setBackground(h, ui::vbColor(ui::colors::Navy));
    ui::setForeground(h, ui::vbColor(ui::colors::White));
    h->setFont(ui::suiteFont(12));
    return h;
}

QLineEdit* valueField(const char* name, bool locked)
{
    auto* f = new QLineEdit;
    f->setObjectName(QLatin1String(name));
    ui::styleField(f, locked, true);
    return f;
}

} // namespace

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("DNS Name  Resolver"));
    setWindowIcon(ui::pictureIcon(ui::Picture::Globe));
    ui::applyWindowLook(this);
    createControls();
    resize(460, 170);
    ui::centreOnScreen(this);
    Form_Load();
}

void Form2::createControls()
{
    Image2 = new QLabel;
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(ui::picture(ui::Picture::Computer, 28));
    Text11 = heading("Text11", QStringLiteral("Remote  IP Address"));
    Text1 = valueField("Text1", false);
    Image3 = new QLabel;
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(ui::picture(ui::Picture::Globe, 28));
    Text21 = heading("Text21", QStringLiteral("Remote Hostname"));
    text3 = valueField("text3", true);
    Command1 = ui::graphicalButton(QStringLiteral("Close"), QStringLiteral("Command1"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Image2, 0, 0);
    grid->addWidget(Text11, 0, 1);
    grid->addWidget(Text1, 0, 2);
    grid->addWidget(Image3, 1, 0);
    grid->addWidget(Text21, 1, 1);
    grid->addWidget(text3, 1, 2);
    grid->addWidget(Command1, 2, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    ui::handle(Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    ui::handle(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Form_Load()
{
    Timer1->start();
}

void Form2::LookUpAgain()
{
    text3->clear();
    Timer1->start();
}

void Form2::Timer1_Timer()
{
    // Disarmed first, so that no tick starts a second lookup while a message of this one is open.
    Timer1->stop();
    text3->setText(ResolveHostName(Text1->text()));
}

void Form2::Command1_Click()
{
    close();
}

QString Form2::ResolveHostName(const QString& address)
{
    const std::uint32_t addr = InetAddr(address.toLocal8Bit().toStdString());
    if (addr == InaddrNone) {
        ui::msgBox(this, QStringLiteral("String passed is an invalid IP."));
        return {};
    }
    const auto name = GetHostByAddr(addr);
    if (!name) {
        ui::msgBox(this, QStringLiteral("Call to gethostbyaddr failed."));
        return {};
    }
    return QString::fromLocal8Bit(name->data(), static_cast<qsizetype>(name->size()));
}

} // namespace dockwatch
