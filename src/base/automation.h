// A late-bound automation object reference: at most one COM interface,
// created from a class name, called by member name, released once.
//
// No failure here stops the program or shows anything: a failed creation or
// put gives false, a failed call an empty reference or empty text.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "base/win_handles.h"

// A value handed to a member: a text (passed as a BSTR) or a 32-bit integer.
using AutomationValue = std::variant<std::string, std::int32_t>;

class AutomationObject {
public:
    AutomationObject() = default;
    AutomationObject(AutomationObject&&) noexcept = default;
    AutomationObject& operator=(AutomationObject&&) noexcept = default;

    // From a class name and the type library that declares it; a class name
    // that begins with "{" or has no library file, or a library route that
    // fails, goes by class identifier (CLSIDFromString or CLSIDFromProgID).
    // The new object is put into the running state.
    bool CreateFromClass(std::string_view className, std::string_view typeLibraryFile);
    bool CreateFromProgId(std::string_view progId) { return CreateFromClass(progId, {}); }

    // Invokes a method; the result is the object it returned, or empty.
    AutomationObject CallMethod(std::string_view name,
                                std::initializer_list<AutomationValue> args = {}) const;

    // Invokes a method for its effect alone; true when the call succeeded.
    bool CallMethodForEffect(std::string_view name,
                             std::initializer_list<AutomationValue> args = {}) const;

    // Invokes a method whose result is read as text; empty on any failure.
    std::string CallMethodForText(std::string_view name,
                                  std::initializer_list<AutomationValue> args = {}) const;

    bool PutProperty(std::string_view name, const AutomationValue& value) const;

    bool IsEmpty() const { return !object_; }
    void Release() { object_.Reset(); }

private:
    bool Invoke(std::string_view name, WORD kind, std::initializer_list<AutomationValue> args,
                VARIANT* result) const;

    ComPtr<IUnknown> object_;
};
