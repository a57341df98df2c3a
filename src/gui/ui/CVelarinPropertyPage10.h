#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "IRIG Configuration" (template 323): The IRIG time code output.
class CVelarinPropertyPage10 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 323;
    static constexpr int kHelpContext = 131395;

    explicit CVelarinPropertyPage10(PropertySheetContext& context, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

} // namespace velarin
