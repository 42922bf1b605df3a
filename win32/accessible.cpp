#include "accessible.h"

#include <initguid.h>  // the property ids below are defined here
#include <oleacc.h>

#include <array>
#include <string>

// Annotations are a convenience for assistive technology: where the service
// is missing, the controls still carry their texts and labels.
Accessible::Accessible() {
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, &services))) {
        services_ = static_cast<IAccPropServices*>(services);
    }
}

Accessible::~Accessible() {
    if (services_ != nullptr) services_->Release();
    if (comStarted_) CoUninitialize();
}

namespace {

void annotate(IAccPropServices* services, HWND control, const MSAAPROPID& property,
              std::wstring_view text) {
    if (services == nullptr) return;
    if (text.empty()) {
        std::array<MSAAPROPID, 1> props{property};
        services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 props.data(), 1);
        return;
    }
    const std::wstring copy(text);
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                             copy.c_str());
}

}  // namespace

void Accessible::setName(HWND control, std::wstring_view name) {
    annotate(services_, control, PROPID_ACC_NAME, name);
}

void Accessible::setDescription(HWND control, std::wstring_view description) {
    annotate(services_, control, PROPID_ACC_DESCRIPTION, description);
}

void Accessible::forget(HWND control) {
    if (services_ == nullptr) return;
    std::array<MSAAPROPID, 2> props{PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, props.data(),
                              static_cast<int>(props.size()));
}
