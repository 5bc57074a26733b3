#include "base/fault_text.h"

std::string_view FaultMessage(int code)
{
    switch (code) {
    case kFaultIndexAboveCount: return "数组成员引用下标超出定义范围";
    case kFaultIndexBelowOne: return "数组成员引用下标必须大于等于1";
    default: return "";
    }
}

std::string ComposeFaultText(std::string_view message, int routine, int position)
{
    std::string text(message);
    text += "\r\n";
    text += std::to_string(routine);
    text += ", ";
    text += std::to_string(position);
    text += "\r\n";
    return text;
}

std::string ComposeMechanismBoxText(int code, std::string_view faultText)
{
    // The fault text already holds the message and the location line.
    std::string text = "运行时错误，错误代码：";
    text += std::to_string(code);
    text += "\r\n";
    text += faultText;
    text += "程序将退出。";
    return text;
}

std::string ComposeWindowFaultText(int windowId, std::string_view windowName)
{
    std::string text = ComposeFaultText("载入启动窗口失败", windowId, 0);
    text.resize(text.size() - 2);  // the window's line goes before the closing CR LF
    if (windowName.empty()) {
        text += "\r\n未找到所指定的窗口";
    } else {
        text += "\r\n\"";
        text += windowName;
        text += "\"";
    }
    text += "\r\n";
    return text;
}
