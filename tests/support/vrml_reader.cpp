#include "support/vrml_reader.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/errors/SoDebugError.h>
#include <Inventor/errors/SoReadError.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "support/test_support.h"

namespace halvern::testing {

namespace {

void collect(const SoError* error, void* data)
{
    static_cast<std::vector<std::string>*>(data)->push_back(error->getDebugString().getString());
}

std::string count_braces(const std::string& text, char open, char close)
{
    int depth = 0;
    bool in_string = false, in_comment = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n')
            in_comment = false;
        if (in_comment)
            continue;
        if (in_string) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                in_string = false;
        } else if (c == '"') {
            in_string = true;
        } else if (c == '#') {
            in_comment = true;
        } else if (c == open) {
            ++depth;
        } else if (c == close) {
            --depth;
        }
    }
    std::string closing;
    for (int k = 0; k < depth; ++k)
        closing += close;
    return closing;
}

} // namespace

std::vector<std::string> vrml_read_problems(const std::filesystem::path& file)
{
    static const bool initialised = [] {
        SoDB::init();
        return true;
    }();
    (void)initialised;
    std::vector<std::string> problems;
    SoError::setHandlerCallback(collect, &problems);
    SoDebugError::setHandlerCallback(collect, &problems);
    SoReadError::setHandlerCallback(collect, &problems);
    SoInput input;
    if (!input.openFile(file.string().c_str())) {
        problems.push_back("cannot open " + file.string());
    } else {
        SoVRMLGroup* root = SoDB::readAllVRML(&input);
        if (!root)
            problems.push_back("nothing could be read from " + file.string());
        else {
            root->ref();
            root->unref();
        }
    }
    SoError::setHandlerCallback(nullptr, nullptr);
    SoDebugError::setHandlerCallback(nullptr, nullptr);
    SoReadError::setHandlerCallback(nullptr, nullptr);
    return problems;
}

std::vector<std::string> fragment_read_problems(const std::filesystem::path& fragment,
                                                const std::filesystem::path& picture,
                                                const std::filesystem::path& scratch)
{
    std::string text = read_bytes(fragment);
    text = std::regex_replace(text, std::regex("wrl_[a-z]+"), "1");
    text = std::regex_replace(text, std::regex("void[A-Za-z0-9_]*\\.jpg"), picture.string());
    text = std::regex_replace(text, std::regex("void_text"), "text");
    // The floor opens the group the scene fills: close what it leaves open.
    std::string body = "#VRML V2.0 utf8\nGroup { children [\n" + text + "\n";
    body += count_braces(text, '[', ']').empty() ? "" : "]}";
    body += "] }\n";
    const std::filesystem::path file = scratch / (fragment.stem().string() + ".wrl");
    std::ofstream(file, std::ios::binary) << body;
    return vrml_read_problems(file);
}

} // namespace halvern::testing
