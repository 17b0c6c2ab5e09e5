// Three filter lists and a project-section round trip through them, for the kinds' tests.
#pragma once

#include <string>
#include <vector>

#include "filters/FilterCtrl.h"
#include "tests/support/ParamHistoryFixture.h"
#include "tests/timeline/TextFeed.h"
#include "timeline/ParamTextStream.h"

class FilterListsFixture : public ParamHistoryFixture {
protected:
    FilterCtrl_cls list0{0}, list1{1}, list2{2};
    FilterCtrl_cls* lists[3] = {&list0, &list1, &list2};

    std::string All() { return list0.WriteSection() + list1.WriteSection() + list2.WriteSection(); }
    /// Reads project text into `into` as the project reader offers its lines.
    static void ReadAllInto(FilterCtrl_cls* const into[3], const std::string& text) {
        const std::vector<std::string> lines = textfeed::SplitAtLf(text);
        ParamTextStream_cls stream(lines);
        std::string line;
        while (stream.ReadLine(line))
            for (int i = 0; i < 3; ++i)
                if (into[i]) into[i]->ReadSection(stream, line, into);
    }
};
