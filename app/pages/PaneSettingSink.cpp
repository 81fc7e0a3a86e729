#include "pages/PaneSettingSink.h"

#include "dialogs/CAdjustInfoInnerDlg.h"
#include "dialogs/IProgressCallback.h"

namespace pages {
namespace {

using printer::SettingField;

std::string CAdjustInfoFields::*FieldOf(SettingField field) {
    switch (field) {
        case SettingField::DeviceId:
            return &CAdjustInfoFields::strDeviceID;
        case SettingField::UsbSerial:
            return &CAdjustInfoFields::strUSBSerial;
        case SettingField::Reserved:
            return &CAdjustInfoFields::strReserved;
        case SettingField::CharacterTable:
            return &CAdjustInfoFields::strCharTable;
        case SettingField::PrintingDirection:
            return &CAdjustInfoFields::strPrintDirection;
        case SettingField::IbmCharacter:
            return &CAdjustInfoFields::strIBMChar;
        case SettingField::PageLength:
            return &CAdjustInfoFields::strPageLength;
    }
    return nullptr;
}

}  // namespace

PaneSettingSink::PaneSettingSink(IProgressCallback* progress) : progress_(progress) {
    if (progress_ != nullptr) {
        progress_->AddRef();
    }
}

PaneSettingSink::~PaneSettingSink() {
    if (progress_ != nullptr) {
        progress_->Release();
    }
}

void PaneSettingSink::Start(int steps) {
    if (progress_ != nullptr) {
        progress_->SetStepCount(steps);
    }
}

void PaneSettingSink::Show(SettingField field, const std::string& text) {
    // Looked up at every change: the pane may come or go while the printer is read.
    CAdjustInfoInnerDlg* pane = FindInformationPane();
    std::string CAdjustInfoFields::*member = FieldOf(field);
    if (pane != nullptr && member != nullptr) {
        pane->m_fields.*member = text;
        pane->UpdateText();
    }
}

void PaneSettingSink::Step() {
    if (progress_ != nullptr) {
        progress_->Step();
    }
}

void PaneSettingSink::Finish() {
    if (progress_ != nullptr) {
        progress_->ResetPosition();
    }
}

}  // namespace pages
