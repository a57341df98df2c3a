#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

class CSkyViewCtrl;

// Tab "Position" (template 106): once a second the receiver's latitude, longitude and altitude
// in the formats the settings choose, and the satellites in view on the sky view.
class CVelarinPropertyPage3 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 106;
    static constexpr int kHelpContext = 131178;
    static constexpr int kRefreshMilliseconds = 1000;

    explicit CVelarinPropertyPage3(PropertySheetContext& context, QWidget* parent = nullptr);

    void OnTimer() override;

    CSkyViewCtrl* SkyView() const { return skyView_; }

    // The page's look of the sky view: spokes at the compass points, rings at 30 and 60
    // degrees, small grey grid labels, satellite pictures and bare PRN labels.
    static void ConfigureSkyView(CSkyViewCtrl& skyView);

protected:
    void OnInitDialog() override;

private:
    CSkyViewCtrl* skyView_ = nullptr;
};

} // namespace velarin
