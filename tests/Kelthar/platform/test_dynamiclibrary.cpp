#include <gtest/gtest.h>

#include "dynamiclibrary.h"

using kplatform::CDynamicLibrary;

TEST(DynamicLibrary, LoadsASystemLibraryAndFindsItsFunctions)
{
    CDynamicLibrary library;
    ASSERT_TRUE(library.Load("libm.so.6")) << library.LastError();
    EXPECT_TRUE(library.IsLoaded());
    EXPECT_TRUE(library.LastError().empty());

    using Cosine = double (*)(double);
    auto cosine = reinterpret_cast<Cosine>(library.Symbol("cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);

    EXPECT_EQ(library.Symbol("FT_OpenEx"), nullptr);
    EXPECT_NE(library.LastError().find("FT_OpenEx"), std::string::npos) << library.LastError();
    EXPECT_NE(library.Symbol("sin"), nullptr);
    EXPECT_TRUE(library.LastError().empty());

    library.Unload();
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.Symbol("cos"), nullptr);
}

TEST(DynamicLibrary, MissingLibraryFailsWithAReason)
{
    for (const char* name : {"libftd2xx-not-installed.so", "/nonexistent/folder/libm.so.6", ""})
    {
        SCOPED_TRACE(name);
        CDynamicLibrary library;
        EXPECT_FALSE(library.Load(name));
        EXPECT_FALSE(library.IsLoaded());
        EXPECT_FALSE(library.LastError().empty());
        EXPECT_EQ(library.Symbol("cos"), nullptr);
    }
}

TEST(DynamicLibrary, FailedReloadLeavesNothingLoaded)
{
    CDynamicLibrary library;
    ASSERT_TRUE(library.Load("libm.so.6"));
    EXPECT_FALSE(library.Load("libftd2xx-not-installed.so"));
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.Symbol("cos"), nullptr);
}
