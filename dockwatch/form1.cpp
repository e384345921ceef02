#include "form1.h"

#include "form2.h"

#include "ui/busypointer.h"
#include "ui/errors.h"
#include "ui/line.h"
#include "ui/look.h"
#include "ui/pictures.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace dockwatch {
namespace {

const QColor LineLight = ui::vbColor(0x0080FFFF);
const QColor LineDark = ui::vbColor(0x00C00000);

// The user's short date, a space, and the user's time of day with seconds.
QString nowForStatus()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));  // the long format ends with the time zone
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ')
           + locale.toString(now.time(), timeFormat.simplified());
}

QLabel* pictureLabel(const char* name, ui::Picture which, int size)
{
    auto* l = new QLabel;
    l->setObjectName(QLatin1String(name));
    l->setPixmap(ui::picture(which, size));
    return l;
}

} // namespace

Form1::Form1(TcpTableSource& table, ads::WmiBinder getObject, QWidget* parent)
    : QWidget(parent, ui::NoMaximizeWindow),
      table_(table), getObject_(std::move(getObject))
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Dockwatching"));
    setWindowIcon(ui::pictureIcon(ui::Picture::Plug));
    ui::applyWindowLook(this);
    createControls();
    resize(640, 460);
    ui::centreOnScreen(this);
    Form_Load();
}

void Form1::createControls()
{
    Image3 = pictureLabel("Image3", ui::Picture::Network, 36);
    Image3->setScaledContents(true);
    Label3 = new QLabel(QStringLiteral("Dockwatching for"));
    Label3->setObjectName(QStringLiteral("Label3"));
    ui::styleBorderedLabel(Label3);
    ui::setBackground(Label3, ui::vbColor(ui::colors::White));
    Text1 = new QLineEdit;
    Text1->setObjectName(QStringLiteral("Text1"));
    ui::styleField(Text1, true, true);
    Text1->setToolTip(QStringLiteral("This is the Computer Name"));
    Command2 = ui::graphicalButton(QStringLiteral("Close"), QStringLiteral("Command2"));

    ListView1 = new QTreeView;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(&model_);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->header()->setStretchLastSection(true);
    for (int column : {0, 2})
        ListView1->setColumnWidth(column, 140);
    ListView1->viewport()->installEventFilter(this);
    ui::setBackground(ListView1, ui::vbColor(ui::colors::LightYellow));

    Label1 = new QLabel(QStringLiteral("Total In List:"));
    Label1->setObjectName(QStringLiteral("Label1"));
    ui::styleBorderedLabel(Label1);
    Command1 = new QPushButton(QStringLiteral("Update List"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Label2 = new QLabel;
    Label2->setObjectName(QStringLiteral("Label2"));
    ui::styleBorderedLabel(Label2);
    Label2->setAlignment(Qt::AlignCenter);
    Line1 = new ui::Line(LineLight, 6);
    Line1->setObjectName(QStringLiteral("Line1"));
    Image1 = pictureLabel("Image1", ui::Picture::Computer, 24);
    Image2 = pictureLabel("Image2", ui::Picture::Computer, 24);

    auto* top = new QHBoxLayout;
    top->addWidget(Image3);
    top->addWidget(Label3);
    top->addWidget(Text1, 1);
    top->addWidget(Command2);
    auto* under = new QHBoxLayout;
    under->addWidget(Label1);
    under->addStretch(1);
    under->addWidget(Command1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Image1);
    bottom->addWidget(Line1, 1);
    bottom->addWidget(Image2);
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(ListView1, 1);
    page->addLayout(under);
    page->addWidget(Label2);
    page->addLayout(bottom);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1500);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(1500);

    ui::handle(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    ui::handle(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    ui::handle(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    ui::handle(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    ui::handle(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    Timer1->start();
    Timer2->start();
}

void Form1::Form_Load()
{
    // Each step fails alone: the window still opens, with what it could read.
    ui::notHandled(this, [this] { Command1_Click(); });
    ui::notHandled(this, [this] { HOST(); });
}

// The list update.
void Form1::Command1_Click()
{
    // A second update cannot start inside this one while it lets events run.
    Command1->setEnabled(false);
    const auto enable = qScopeGuard([this] { Command1->setEnabled(true); });
    ui::BusyPointer busy(this);

    model_.clear();
    QApplication::processEvents();

    // A table that cannot be read shows as an empty one.
    std::vector<netstat::MibTcpRow> table;
    ui::resumeNext([&] { table = table_.GetTcpTable(); });
    std::vector<ConnectionModel::Row> rows;
    rows.reserve(table.size());
    for (const netstat::MibTcpRow& row : table)
        rows.push_back(ConnectionModel::fromDecoded(netstat::DecodeRow(row)));
    model_.append(std::move(rows));

    QApplication::processEvents();
    Label2->setText(QStringLiteral("Netstat status as of: ") + nowForStatus());
}

QString Form1::HOST()
{
    auto wmi = getObject_("winmgmts:\\\\.\\root\\cimv2");
    for (const ads::WmiObject& system : wmi->ExecQuery("Select * from Win32_ComputerSystem",
                                                       ads::wbemFlagReturnImmediately | ads::wbemFlagForwardOnly))
        Text1->setText(QString::fromStdString(system.get("Caption")));
    return {};
}

// "Close" ends the program, the resolver window included.
void Form1::Command2_Click()
{
    close();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void Form1::ListView1_Click()
{
    const QModelIndex current = ListView1->currentIndex();
    if (!current.isValid())
        return;  // nothing selected: nothing to resolve
    const QString remoteIp = model_.text(current.row(), ConnectionModel::RemoteIpColumn);
    if (!form2_) {
        form2_ = new Form2;
        form2_->text1()->setText(remoteIp);
    } else {
        // The open resolver looks up the newly chosen address too.
        form2_->text1()->setText(remoteIp);
        form2_->LookUpAgain();
    }
    form2_->show();
    form2_->raise();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        ui::notHandled(this, [this] { ListView1_Click(); });
    return QWidget::eventFilter(watched, event);
}

void Form1::Timer1_Timer()
{
    Label1->setText(QStringLiteral("Total In List: ") + QString::number(model_.rowCount()));
}

void Form1::Timer2_Timer()
{
    Line1->setBorderColor(LineDark);
    Timer3->start();
    Timer2->stop();
}

void Form1::Timer3_Timer()
{
    Line1->setBorderColor(LineLight);
    Timer2->start();
    Timer3->stop();
}

} // namespace dockwatch
