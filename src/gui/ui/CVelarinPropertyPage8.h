#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "System Configuration" (template 117): Time reference and help bubbles.
class CVelarinPropertyPage8 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 117;
    static constexpr int kHelpContext = 131189;

    explicit CVelarinPropertyPage8(PropertySheetContext& context, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

} // namespace velarin
