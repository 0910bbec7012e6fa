// The end-to-end suite's entry: which build to run comes from the command line.
#include "run.h"

#include <gtest/gtest.h>

#include <string_view>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    target.binary = ZAMTIK_BIN_DEFAULT;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        for (auto [flag, value] :
             {std::pair{"--zamtik=", &target.binary}, std::pair{"--wine=", &target.wine},
              std::pair{"--wineprefix=", &target.wineprefix},
              std::pair{"--native=", &target.native}})
            if (arg.starts_with(flag))
                *value = arg.substr(std::string_view(flag).size());
    }
    return RUN_ALL_TESTS();
}
