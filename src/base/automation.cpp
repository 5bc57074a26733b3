#include "base/automation.h"

#include <oaidl.h>
#include <ole2.h>
#include <oleauto.h>

#include <vector>

#include "base/com_text.h"

namespace {

ComPtr<IUnknown> CreateThroughTypeLibrary(std::string_view className,
                                          std::string_view typeLibraryFile)
{
    ComPtr<ITypeLib> library;
    if (FAILED(::LoadTypeLib(TextToWide(typeLibraryFile).c_str(), library.Put()))) return {};

    std::wstring name = TextToWide(className);
    ULONG hash = ::LHashValOfNameSys(SYS_WIN32, ::GetUserDefaultLCID(), name.c_str());
    ITypeInfo* found = nullptr;
    MEMBERID id = 0;
    USHORT count = 1;
    HRESULT hr = library->FindName(name.data(), hash, &found, &id, &count);
    ComPtr<ITypeInfo> info;
    if (SUCCEEDED(hr) && count == 1) info.Attach(found);
    if (!info) return {};

    ComPtr<IUnknown> object;
    if (FAILED(info->CreateInstance(nullptr, IID_IUnknown, object.PutVoid()))) return {};
    return object;
}

ComPtr<IUnknown> CreateThroughClassId(std::string_view className)
{
    std::wstring name = TextToWide(className);
    CLSID clsid;
    HRESULT hr = (!name.empty() && name[0] == L'{') ? ::CLSIDFromString(name.data(), &clsid)
                                                    : ::CLSIDFromProgID(name.c_str(), &clsid);
    if (FAILED(hr)) return {};

    ComPtr<IUnknown> object;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, object.PutVoid());
    if (hr == E_INVALIDARG) {
        hr = ::CoCreateInstance(clsid, nullptr,
                                CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                IID_IUnknown, object.PutVoid());
    }
    if (FAILED(hr)) return {};
    return object;
}

// The member's id, looked up through the object's type information first.
bool FindMember(IDispatch* dispatch, std::string_view name, ComPtr<ITypeInfo>& info, DISPID& id)
{
    std::wstring wide = TextToWide(name);
    LPOLESTR names[1] = {wide.data()};
    const LCID locale = ::GetUserDefaultLCID();
    if (SUCCEEDED(dispatch->GetTypeInfo(0, locale, info.Put())) && info &&
        SUCCEEDED(info->GetIDsOfNames(names, 1, &id))) {
        return true;
    }
    return SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, names, 1, locale, &id));
}

// The type the member declares for one parameter, or VT_EMPTY when the type
// information does not say or asks for a VARIANT.
VARTYPE DeclaredParameterType(ITypeInfo* info, DISPID id, WORD kind, UINT index)
{
    if (info == nullptr) return VT_EMPTY;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return VT_EMPTY;
    VARTYPE type = VT_EMPTY;
    for (UINT i = 0; i < attributes->cFuncs && type == VT_EMPTY; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function))) continue;
        if (function->memid == id && (function->invkind & kind) != 0 &&
            index < static_cast<UINT>(function->cParams)) {
            type = function->lprgelemdescParam[index].tdesc.vt;
        }
        info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    switch (type) {
    case VT_VARIANT: case VT_PTR: case VT_USERDEFINED: case VT_SAFEARRAY: case VT_CARRAY:
        return VT_EMPTY;
    default:
        return type;
    }
}

void StoreValue(const AutomationValue& value, VARIANT* out)
{
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        out->vt = VT_I4;
        out->lVal = *number;
    } else {
        out->vt = VT_BSTR;
        out->bstrVal = TextToBstr(std::get<std::string>(value)).Detach();
    }
}

}  // namespace

bool AutomationObject::CreateFromClass(std::string_view className, std::string_view typeLibraryFile)
{
    ComPtr<IUnknown> created;
    if (!className.empty() && className[0] != '{' && !typeLibraryFile.empty()) {
        created = CreateThroughTypeLibrary(className, typeLibraryFile);
    }
    if (!created) created = CreateThroughClassId(className);
    if (!created || FAILED(::OleRun(created.Get()))) return false;
    object_ = std::move(created);
    return true;
}

bool AutomationObject::Invoke(std::string_view name, WORD kind,
                              std::initializer_list<AutomationValue> args, VARIANT* result) const
{
    ComPtr<IDispatch> dispatch = object_.As<IDispatch>(IID_IDispatch);
    if (!dispatch) return false;
    ComPtr<ITypeInfo> info;
    DISPID id = DISPID_UNKNOWN;
    if (!FindMember(dispatch.Get(), name, info, id)) return false;

    // DISPPARAMS takes the arguments last to first.
    std::vector<Variant> values(args.size());
    UINT slot = static_cast<UINT>(args.size());
    UINT index = 0;
    for (const AutomationValue& arg : args) {
        Variant given;
        StoreValue(arg, given.Get());
        VARIANT* target = values[--slot].Get();
        VARTYPE declared = DeclaredParameterType(info.Get(), id, kind, index++);
        if (declared == VT_EMPTY || declared == given.Get()->vt ||
            FAILED(::VariantChangeType(target, given.Get(), 0, declared))) {
            ::VariantCopy(target, given.Get());
        }
    }
    std::vector<VARIANT> raw;
    raw.reserve(values.size());
    for (Variant& v : values) raw.push_back(*v.Get());

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {};
    params.rgvarg = raw.empty() ? nullptr : raw.data();
    params.cArgs = static_cast<UINT>(raw.size());
    if (kind == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    return SUCCEEDED(dispatch->Invoke(id, IID_NULL, ::GetUserDefaultLCID(), kind, &params, result,
                                      nullptr, nullptr));
}

AutomationObject AutomationObject::CallMethod(std::string_view name,
                                              std::initializer_list<AutomationValue> args) const
{
    AutomationObject returned;
    Variant result;
    if (!Invoke(name, DISPATCH_METHOD, args, result.Get())) return returned;
    const VARIANT* v = result.Get();
    if ((v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) && v->punkVal != nullptr) {
        returned.object_ = ComPtr<IUnknown>::AddRefOf(v->punkVal);
    }
    return returned;
}

bool AutomationObject::CallMethodForEffect(std::string_view name,
                                           std::initializer_list<AutomationValue> args) const
{
    Variant result;
    return Invoke(name, DISPATCH_METHOD, args, result.Get());
}

std::string AutomationObject::CallMethodForText(std::string_view name,
                                                std::initializer_list<AutomationValue> args) const
{
    Variant result;
    if (!Invoke(name, DISPATCH_METHOD, args, result.Get())) return {};
    Variant asText;
    if (FAILED(::VariantChangeType(asText.Get(), result.Get(), 0, VT_BSTR))) return {};
    return WideToText(asText.Get()->bstrVal);
}

bool AutomationObject::PutProperty(std::string_view name, const AutomationValue& value) const
{
    return Invoke(name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}
