#include "quorvance/shell/ZRValFileNameLength.h"
#include "kitbase/model/ZRStringAttribute.h"

#include <gtest/gtest.h>

TEST(ZRValFileNameLength, MeasuresTheNameWithoutTheExpectedExtension) {
    struct {
        const char* extension;
        const char* text;
        const char* message; // empty: passes
    } cases[] = {
        {"c", "abcdefgh.c", ""},
        {"c", "abcdefghi.c", "Cannot be more than 8 characters"},
        {"c", "abcdefgh.h", "Cannot be more than 8 characters"}, // another extension is measured whole
        {"c", "ABC.C", ""},                                      // case-sensitive: measured whole, 5
        {"c", ".c", "Cannot be less than 1 characters"},
        {"", "abcdefgh", ""},
        {"", "abcdefghi", "Cannot be more than 8 characters"},
        {"", "abcdef.x", ""},
        {"prj", "main.prj", ""},
    };
    ZRDevice* device = nullptr;
    for (const auto& c : cases) {
        ZRStringAttribute name(device, 0, NoPadding, ' ');
        auto owned = std::make_unique<ZRValFileNameLength>(c.extension, 8, 1);
        ZRValFileNameLength* validation = owned.get();
        name.SetLengthValidation(std::move(owned));
        name.SetTestString(c.text);
        std::string message;
        EXPECT_EQ(validation->Test(message), *c.message == '\0') << c.text;
        EXPECT_EQ(message, c.message) << c.text;
    }
}
