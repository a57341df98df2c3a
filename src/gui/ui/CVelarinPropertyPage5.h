#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

class CHyperlinkCtrl;

// Tab "About Velarin" (template 108): version, logo, and links to the product's page and to
// support by mail.
class CVelarinPropertyPage5 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 108;
    static constexpr int kHelpContext = 0;

    explicit CVelarinPropertyPage5(PropertySheetContext& context, QWidget* parent = nullptr);

    // The product's page as built in; the help's index page unless the build names another.
    static QString HomePage();
    // What the link shows for it.
    static QString HomePageText();
    // The support mail address as built in (without the "mailto:").
    static QString SupportAddress();

    CHyperlinkCtrl* HomeLink() const { return homeLink_; }
    CHyperlinkCtrl* MailLink() const { return mailLink_; }

protected:
    void OnInitDialog() override;

private:
    CHyperlinkCtrl* homeLink_ = nullptr;
    CHyperlinkCtrl* mailLink_ = nullptr;
};

} // namespace velarin
