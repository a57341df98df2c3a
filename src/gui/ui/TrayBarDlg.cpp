#include "gui/ui/TrayBarDlg.h"

#include "engine/settings/SettingsKeys.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace velarin {

CTrayBarDlg::CTrayBarDlg(SettingsStore& settings, QWidget* parent)
    : OkOnlyDialog(parent)
    , settings_(settings)
{
    setWindowTitle(QStringLiteral("Velarin"));
    setObjectName(QStringLiteral("dialog159"));

    auto* text = new QLabel(
        QStringLiteral("Velarin runs in the background quietly. You can access properties, set "
                       "the PC clock or exit Velarin by right clicking on the taskbar (traybar) "
                       "icon. There you can select various items from a menu."),
        this);
    text->setWordWrap(true);

    dontShow_ = new QCheckBox(QStringLiteral("Don't show this dialog in the future"), this);
    dontShow_->setObjectName(QStringLiteral("ctl1109"));
    // Unticked: a newcomer who simply presses OK meets the notice again at the next start.
    dontShow_->setChecked(false);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ctl1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CTrayBarDlg::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("ctl2"));
    cancel->setAutoDefault(false);
    cancel->hide();

    auto* grid = new QGridLayout(this);
    grid->addWidget(MakePicture(QStringLiteral(":/images/logo.svg"), QSize(145, 184), this), 0, 0,
        3, 1, Qt::AlignTop);
    grid->addWidget(text, 0, 1);
    grid->addWidget(MakePicture(QStringLiteral(":/images/traybar.svg"), QSize(190, 110), this), 1,
        1, Qt::AlignCenter);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(dontShow_);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    grid->addLayout(bottom, 2, 1);
    // 265 x 166 dialog units.
    resize(398, 270);
}

int CTrayBarDlg::DoModal()
{
    if (settings_.GetProfileInt(keys::kSettings, keys::kDoNotShowTraybarDialog, 0) == 1)
        return kCancelResult;
    return exec();
}

void CTrayBarDlg::accept()
{
    if (dontShow_->isChecked())
        settings_.WriteProfileInt(keys::kSettings, keys::kDoNotShowTraybarDialog, 1);
    QDialog::accept();
}

} // namespace velarin
