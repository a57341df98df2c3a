#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

class QCheckBox;
class QLabel;
class QSlider;

namespace velarin {

// Tab "IRIG Configuration" (template 323): switches the IRIG time code on the sound card and
// sets its options. The compression applies the next time the output is switched on, so its
// slider is greyed while the output runs.
class CVelarinPropertyPage10 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 323;
    static constexpr int kHelpContext = 131395;
    static constexpr int kMaxCompression = 30;

    explicit CVelarinPropertyPage10(PropertySheetContext& context, QWidget* parent = nullptr);

    void OnEnableIrig();
    void OnTwelveHourMode();
    void OnUtcTime();
    void OnCompressionMoved(int position);
    // The boxes from the store; the slider enabled only while the output is off.
    void Refresh();

    QCheckBox* EnableBox() const { return enable_; }
    QSlider* CompressionSlider() const { return compression_; }
    QLabel* CompressionText() const { return compressionText_; }

protected:
    void OnInitDialog() override;

private:
    int irigSetting(const char* key, int defaultValue) const;

    QCheckBox* enable_ = nullptr;
    QCheckBox* twelveHour_ = nullptr;
    QCheckBox* utc_ = nullptr;
    QSlider* compression_ = nullptr;
    QLabel* compressionText_ = nullptr;
};

} // namespace velarin
