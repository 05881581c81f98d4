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

// Lists a fragment opens and leaves open (the floor opens the group the scene fills).
int unclosed_lists(const std::string& text)
{
    int depth = 0;
    bool in_string = false, in_comment = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n')
            in_comment = false;
        else if (in_comment)
            continue;
        else if (in_string) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                in_string = false;
        } else if (c == '"')
            in_string = true;
        else if (c == '#')
            in_comment = true;
        else if (c == '[')
            ++depth;
        else if (c == ']')
            --depth;
    }
    return depth;
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
    std::string body = "#VRML V2.0 utf8\nGroup { children [\n" + text + "\n";
    for (int open = unclosed_lists(text); open > 0; --open)
        body += "]}";
    body += "] }\n";
    const std::filesystem::path file = scratch / (fragment.stem().string() + ".wrl");
    std::ofstream(file, std::ios::binary) << body;
    return vrml_read_problems(file);
}

} // namespace halvern::testing
