#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

#include <cstdint>
#include <string>

class QLabel;

namespace velarin {

class CLedCtrl;
class CSignalBarCtrl;

// Tab "GPS Signal Quality" (template 104): the live view of the receiver. A receive LED that
// blinks for every batch of sentences, one signal bar per satellite in view, the receiver's time,
// the PC's local time, the lock state, what the set-time worker is doing, where the 1PPS pulse
// comes from, and a button that sets the PC clock at once.
class CVelarinPropertyPage1 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 104;
    static constexpr int kHelpContext = 131176;
    static constexpr int kRefreshMilliseconds = 50;

    explicit CVelarinPropertyPage1(PropertySheetContext& context, QWidget* parent = nullptr);

    void OnTimer() override;

    CLedCtrl* RxIndicator() const { return rx_; }
    CSignalBarCtrl* SignalBars() const { return bars_; }
    // Tells the user that the receiver sends its time under talkers not accepted now.
    QLabel* OtherTalkersNotice() const { return otherTalkersNotice_; }

protected:
    void OnInitDialog() override;

private:
    // "off", or where the 1PPS wait takes the pulse from.
    std::string pulseSource() const;

    CLedCtrl* rx_ = nullptr;
    CSignalBarCtrl* bars_ = nullptr;
    QLabel* otherTalkersNotice_ = nullptr;

    // Last shown values; all start at 0, so a receiver second of 0 is first shown when it
    // changes.
    uint32_t lastSentenceCount_ = 0;
    uint32_t lastGsvCount_ = 0;
    int lastGpsSecond_ = 0;
    int lastLocalSecond_ = 0;
};

} // namespace velarin
