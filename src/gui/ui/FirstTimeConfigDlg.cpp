#include "gui/ui/FirstTimeConfigDlg.h"

#include "gui/frame/HelpLauncher.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velarin {

CFirstTimeConfigDlg::CFirstTimeConfigDlg(QWidget* parent, std::function<void(int)> helpOpener)
    : OkOnlyDialog(parent)
    , helpOpener_(std::move(helpOpener))
{
    if (!helpOpener_)
        helpOpener_ = [](int context) { HelpLauncher::OpenHelpContext(context); };
    setWindowTitle(QStringLiteral("Velarin Configuration"));
    setObjectName(QStringLiteral("dialog143"));

    auto* welcome = new QPlainTextEdit(this);
    welcome->setObjectName(QStringLiteral("ctl1050"));
    welcome->setReadOnly(true);
    welcome->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    welcome->setPlainText(QStringLiteral(
        "Welcome to the Velarin configuration. Velarin has the ability to synchronize the PC "
        "clock to a GPS receiver connected to your computer or to a network time server. You can "
        "also modify these parameters using the Velarin Property dialog. Please select the "
        "synchronization option:"));

    gps_ = new QRadioButton(QStringLiteral("Synchronize to GPS"), this);
    gps_->setObjectName(QStringLiteral("ctl1048"));
    network_ = new QRadioButton(QStringLiteral("Synchronize to a network time server"), this);
    network_->setObjectName(QStringLiteral("ctl1049"));
    auto* group = new QButtonGroup(this);
    group->addButton(gps_, 0);
    group->addButton(network_, 1);

    auto* help = new QPushButton(QStringLiteral("Help..."), this);
    help->setObjectName(QStringLiteral("ctl1051"));
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { helpOpener_(kHelpContext); });
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ctl1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CFirstTimeConfigDlg::accept);

    auto* right = new QVBoxLayout;
    right->addWidget(welcome, 1);
    right->addWidget(gps_);
    right->addWidget(network_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(help);
    buttons->addWidget(ok);
    right->addLayout(buttons);

    auto* top = new QHBoxLayout(this);
    top->addWidget(
        MakePicture(QStringLiteral(":/images/logo.svg"), QSize(145, 184), this), 0, Qt::AlignTop);
    top->addLayout(right, 1);
    // 268 x 138 dialog units at the usual 8-point dialog font.
    resize(402, 224);
}

void CFirstTimeConfigDlg::setChoice(int choice)
{
    choice_ = choice;
    gps_->setChecked(choice == 0);
    network_->setChecked(choice == 1);
}

void CFirstTimeConfigDlg::accept()
{
    // Nothing ticked (a caller that never set the choice) reads as GPS, the stored default.
    choice_ = network_->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace velarin
