// About box text.
#include "app/AboutText.h"

#include "platform/FileNumbers.h"

std::string BuildAboutText(const AboutFacts& f) {
    std::string text = f.program + " ver. " + f.version + "\n";
    text += "Toolkit: " + f.toolkit + "\n";
    text += "System: " + f.system + "\n";
    text += "Free Memory: ";
    text += f.freeMemory < 0 ? std::string("Unknown")
                             : platform::FormatInt(f.freeMemory / 1048576) + " MB";
    text += "\nProcessors: ";
    text += f.processors < 0 ? std::string("Unknown") : platform::FormatInt(f.processors);
    text += "\n";
    return text;
}
