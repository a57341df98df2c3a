#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "License" (template 110): opens the licence agreement in the help; the logo and the
// printed legal notice.
class CVelarinPropertyPage6 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 110;
    static constexpr int kHelpContext = 131182;

    explicit CVelarinPropertyPage6(PropertySheetContext& context, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

} // namespace velarin
