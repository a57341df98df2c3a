#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "GPS Configuration" (template 107): Serial port, 1PPS and the raw NMEA log.
class CVelarinPropertyPage4 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 107;
    static constexpr int kHelpContext = 131179;

    explicit CVelarinPropertyPage4(PropertySheetContext& context, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

} // namespace velarin
