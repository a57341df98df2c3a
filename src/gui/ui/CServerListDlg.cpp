#include "gui/ui/CServerListDlg.h"

#include "gui/ui/UiDrawing.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace velarin {
namespace {

constexpr const char* kMaximumText
    = "Maximum number of servers has been reached. Remove a server before adding a new server.";
constexpr const char* kDuplicateText
    = "This new time server exists in the list. Would you like to add it?";

void PlaceAt(QWidget* control, int id, const QRect& dlu)
{
    if (id != 0)
        control->setObjectName(QString::number(id));
    control->setGeometry(DluRect(dlu.x(), dlu.y(), dlu.width(), dlu.height()));
}

QPushButton* MakeButton(QWidget* parent, int id, const QString& text, const QRect& dlu)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    PlaceAt(button, id, dlu);
    return button;
}

} // namespace

CServerListDlg::CServerListDlg(QWidget* parent)
    : QDialog(parent)
{
    servers.fill("None");
    setObjectName(QString::number(kDialogId));
    setWindowTitle(QStringLiteral("Network server list manager"));
    setFixedSize(DluX(230), DluY(116));

    PlaceAt(new QLabel(QStringLiteral("Server address:"), this), 0, QRect(7, 7, 100, 8));
    edit_ = new QLineEdit(this);
    PlaceAt(edit_, kServerEdit, QRect(7, 17, 160, 12));
    add_ = MakeButton(this, kAddButton, QStringLiteral("Add"), QRect(173, 16, 50, 14));
    list_ = new QListWidget(this);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PlaceAt(list_, kServerList, QRect(7, 34, 160, 75));
    remove_ = MakeButton(this, kRemoveButton, QStringLiteral("Remove"), QRect(173, 34, 50, 14));
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    PlaceAt(frame, 0, QRect(173, 70, 50, 2));
    ok_ = MakeButton(this, kOkButton, QStringLiteral("OK"), QRect(173, 77, 50, 14));
    cancel_ = MakeButton(this, kCancelButton, QStringLiteral("Cancel"), QRect(173, 95, 50, 14));
    SetDefaultButton(ok_);

    showStop = [this](const QString& text) {
        QMessageBox::critical(this, QStringLiteral("Velarin"), text);
    };
    askYesNo = [this](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Velarin"), text,
            QMessageBox::Yes | QMessageBox::No, this);
        return box.exec() == QMessageBox::Yes;
    };

    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this,
        [this](const QString& text) { add_->setEnabled(!text.isEmpty()); });
    connect(add_, &QPushButton::clicked, this, &CServerListDlg::OnAdd);
    connect(remove_, &QPushButton::clicked, this, &CServerListDlg::OnRemove);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { editor_.Select(row); });
    connect(ok_, &QPushButton::clicked, this, &CServerListDlg::OnOK);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool CServerListDlg::DoModal()
{
    return exec() == QDialog::Accepted;
}

QWidget* CServerListDlg::Control(int id) const
{
    return findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void CServerListDlg::showEvent(QShowEvent* event)
{
    if (!initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CServerListDlg::OnInitDialog()
{
    const int count = std::clamp(serverCount, 0, ServerListEditor::kMaxServers);
    editor_ = ServerListEditor(std::vector<std::string>(servers.begin(), servers.begin() + count));
    ShowList();
    add_->setEnabled(!edit_->text().isEmpty());
}

void CServerListDlg::ShowList()
{
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const std::string& server : editor_.Items())
        list_->addItem(QString::fromStdString(server));
    list_->setCurrentRow(editor_.Selection());
}

bool CServerListDlg::eventFilter(QObject* watched, QEvent* event)
{
    // While the address box has the focus, Enter adds the typed server.
    if (watched == edit_) {
        if (event->type() == QEvent::FocusIn)
            SetDefaultButton(add_);
        else if (event->type() == QEvent::FocusOut)
            SetDefaultButton(ok_);
    }
    return QDialog::eventFilter(watched, event);
}

void CServerListDlg::SetDefaultButton(QPushButton* button)
{
    (button == add_ ? ok_ : add_)->setDefault(false);
    button->setDefault(true);
}

void CServerListDlg::OnAdd()
{
    const std::string name = edit_->text().toStdString();
    switch (editor_.CheckAdd(name)) {
    case ServerListEditor::AddCheck::Full:
        showStop(QString::fromLatin1(kMaximumText));
        return;
    case ServerListEditor::AddCheck::Duplicate:
        if (!askYesNo(QString::fromLatin1(kDuplicateText)))
            return;
        break;
    case ServerListEditor::AddCheck::Add:
        break;
    }
    editor_.Add(name);
    ShowList();
    edit_->clear();
}

void CServerListDlg::OnRemove()
{
    editor_.Remove();
    ShowList();
}

void CServerListDlg::OnOK()
{
    const std::vector<std::string>& items = editor_.Items();
    serverCount = static_cast<int>(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        servers[i] = items[i];
    accept();
}

} // namespace velarin
