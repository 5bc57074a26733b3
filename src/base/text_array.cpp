#include "base/text_array.h"

#include <utility>

#include "base/fault.h"

const std::string& TextArray::At(int index, int routine, std::source_location where) const
{
    if (index < 1) RaiseRuntimeError(kFaultIndexBelowOne, routine, where);
    if (index > Count()) RaiseRuntimeError(kFaultIndexAboveCount, routine, where);
    return items_[static_cast<std::size_t>(index - 1)];
}

std::string& TextArray::At(int index, int routine, std::source_location where)
{
    return const_cast<std::string&>(std::as_const(*this).At(index, routine, where));
}
