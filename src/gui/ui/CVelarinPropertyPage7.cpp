#include "gui/ui/CVelarinPropertyPage7.h"

#include "engine/AppState.h"
#include "engine/nettime/StoredServerList.h"
#include "engine/settings/SettingsKeys.h"
#include "engine/ui/DialogFieldInt.h"
#include "engine/ui/ListBoxSearch.h"
#include "engine/ui/NetworkStatusText.h"
#include "gui/ui/CServerListDlg.h"
#include "gui/ui/PropertySheetHost.h"
#include "platform/SettingsStore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace velarin {
namespace {

enum ControlId {
    kServerList = 1036,
    kPort = 1037,
    kStatus = 1041,
    kUseSntp = 1054,
    kUseDaytime = 1055,
    kRandom = 1071,
    kAddDelete = 1072,
    kHelp = 1103,
};

} // namespace

CVelarinPropertyPage7::CVelarinPropertyPage7(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(context, kDialogId, QStringLiteral("Network Time"), kHelpContext, parent)
    , runServerListDlg([](CServerListDlg& dialog) { return dialog.DoModal(); })
{
}

void CVelarinPropertyPage7::OnInitDialog()
{
    daytime_ = Add<QRadioButton>(
        kUseDaytime, QStringLiteral("Use NIST Daytime Network Protocol"), QRect(7, 7, 200, 10));
    sntp_ = Add<QRadioButton>(kUseSntp, QStringLiteral("Use SNTP"), QRect(7, 20, 200, 10));
    auto* protocol = new QButtonGroup(this);
    protocol->addButton(daytime_);
    protocol->addButton(sntp_);

    AddLabel(QStringLiteral("Network Time Server Address:"), QRect(7, 37, 150, 8));
    serverList_ = new QComboBox(this);
    Place(serverList_, kServerList, QRect(7, 47, 200, 12));
    auto* addDelete
        = AddButton(kAddDelete, QStringLiteral("Add/Delete..."), QRect(213, 46, 60, 14));
    random_ = Add<QCheckBox>(kRandom,
        QStringLiteral("Randomly pick time server when setting the PC clock"),
        QRect(7, 64, 260, 10));

    AddLabel(QStringLiteral("Daytime Time Server Port:"), QRect(7, 82, 118, 8));
    port_ = new QLineEdit(this);
    Place(port_, kPort, QRect(127, 80, 40, 12));

    AddLabel(QStringLiteral("Network Status:"), QRect(7, 100, 118, 8));
    status_ = new QLabel(this);
    status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Place(status_, kStatus, QRect(127, 98, 146, 12));
    auto* help = AddButton(kHelp, QStringLiteral("Help"), QRect(293, 109, 50, 14));

    AddTool(serverList_, QStringLiteral("Sets the network time server address."));
    AddTool(port_,
        QStringLiteral("Sets the daytime network time server port. The standard port for Daytime "
                       "protocol is 13."));
    AddTool(status_,
        QStringLiteral("Shows that Velarin has successfully connected to a network time server."));
    AddTool(random_, QStringLiteral("Selects a random network address based on the list above"));
    AddTool(addDelete, QStringLiteral("Manages the network time server address list"));
    AddTool(daytime_,
        QStringLiteral("Use the NIST daytime network protocol when setting the PC clock"));
    AddTool(
        sntp_, QStringLiteral("Use Simple Network Time Protocol (SNTP) when setting the PC clock"));

    // Shown before the change handler is connected: showing the page changes no setting.
    port_->setText(QString::number(context_.state.timeServerPort.load()));
    connect(port_, &QLineEdit::textChanged, this, &CVelarinPropertyPage7::OnPortChanged);

    FillServerList();
    SelectCurrentServer();
    connect(serverList_, &QComboBox::activated, this,
        [this](int index) { OnServerChosen(serverList_->itemText(index)); });

    const int useSntp = context_.settings.GetProfileInt(keys::kSettings, keys::kUseSNTP, 1);
    (useSntp == 1 ? sntp_ : daytime_)->setChecked(true);
    connect(daytime_, &QRadioButton::clicked, this, &CVelarinPropertyPage7::OnProtocolClicked);
    connect(sntp_, &QRadioButton::clicked, this, &CVelarinPropertyPage7::OnProtocolClicked);

    connect(random_, &QCheckBox::clicked, this, &CVelarinPropertyPage7::OnRandomClicked);
    random_->setChecked(
        context_.settings.GetProfileInt(keys::kNetwork, keys::kUseRandomServer, 0) == 1);
    EnableForChoices();

    connect(addDelete, &QPushButton::clicked, this, &CVelarinPropertyPage7::OnAddDelete);
    connect(help, &QPushButton::clicked, this, &CVelarinPropertyPage7::OnHelp);
    SetTimer(1000);
}

std::vector<std::string> CVelarinPropertyPage7::ListedServers() const
{
    std::vector<std::string> servers;
    if (serverList_ == nullptr)
        return servers;
    for (int i = 0; i < serverList_->count(); ++i)
        servers.push_back(serverList_->itemText(i).toStdString());
    return servers;
}

void CVelarinPropertyPage7::FillServerList()
{
    serverList_->clear();
    std::vector<std::string> sorted;
    // The list is sorted as a sorted combo box keeps it, whatever order the store holds.
    for (const std::string& server : ReadStoredServerList(context_.settings)) {
        const size_t place = SortedInsertPosition(sorted, server);
        sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(place), server);
        serverList_->insertItem(static_cast<int>(place), QString::fromStdString(server));
    }
    serverList_->setCurrentIndex(-1);
}

bool CVelarinPropertyPage7::SelectCurrentServer()
{
    const int found = FindServerInList(ListedServers(), context_.state.CurrentTimeServer());
    serverList_->setCurrentIndex(found);
    return found >= 0;
}

void CVelarinPropertyPage7::OnServerChosen(const QString& server)
{
    context_.state.SetCurrentTimeServer(server.toStdString());
    context_.settings.WriteProfileString(keys::kNetwork, keys::kTimeServer, server.toStdString());
}

void CVelarinPropertyPage7::OnPortChanged(const QString& text)
{
    const int port = DialogFieldInt(text.toStdString());
    context_.state.timeServerPort = port;
    context_.settings.WriteProfileInt(keys::kNetwork, keys::kTimeServerPort, port);
}

void CVelarinPropertyPage7::OnProtocolClicked()
{
    const bool useSntp = sntp_->isChecked();
    context_.settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, useSntp ? 1 : 0);
    EnableForChoices();
}

void CVelarinPropertyPage7::OnRandomClicked()
{
    const bool random = random_->isChecked();
    context_.settings.WriteProfileInt(keys::kNetwork, keys::kUseRandomServer, random ? 1 : 0);
    EnableForChoices();
}

void CVelarinPropertyPage7::EnableForChoices()
{
    // SNTP uses no port of the user's; a random pick leaves no server to choose.
    port_->setEnabled(!sntp_->isChecked());
    serverList_->setEnabled(!random_->isChecked());
}

void CVelarinPropertyPage7::OnAddDelete()
{
    CServerListDlg dialog(this);
    const std::vector<std::string> stored = ReadStoredServerList(context_.settings);
    dialog.serverCount = static_cast<int>(stored.size());
    std::copy(stored.begin(), stored.end(), dialog.servers.begin());
    if (!runServerListDlg(dialog))
        return;

    const int count = std::clamp(dialog.serverCount, 0, static_cast<int>(dialog.servers.size()));
    StoreServerList(context_.settings,
        std::vector<std::string>(dialog.servers.begin(), dialog.servers.begin() + count));
    FillServerList();
    if (!SelectCurrentServer()) {
        // The current server has gone from the list: the first one takes its place.
        serverList_->setCurrentIndex(serverList_->count() > 0 ? 0 : -1);
        OnServerChosen(serverList_->currentText());
    }
}

void CVelarinPropertyPage7::OnTimer()
{
    const int useNetworkTime = context_.state.useNetworkTime.load();
    const bool connected = useNetworkTime != 0 && context_.host.IsInternetConnected();
    status_->setText(QString::fromLatin1(
        NetworkStatusText(useNetworkTime, connected, context_.state.networkFailure.load())));

    // A server chosen elsewhere (a random pick at a setting) shows within a second, unless the
    // user is choosing one.
    if (serverList_->hasFocus())
        return;
    const std::string current = context_.state.CurrentTimeServer();
    const int found = FindServerInList(ListedServers(), current);
    if (found >= 0 && serverList_->currentText().toStdString() != current)
        serverList_->setCurrentIndex(found);
}

} // namespace velarin
