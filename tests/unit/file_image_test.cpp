// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FileImage.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <random>
#include <set>

#include "support/FormHarness.h"

namespace tintorb::test {

namespace fs = std::filesystem;

namespace {

std::exception_ptr Thrown(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError&) {
        return std::current_exception();
    }
    return nullptr;
}

std::string TextOf(const std::exception_ptr& thrown) {
    try {
        if (thrown) {
            std::rethrow_exception(thrown);
        }
    } catch (const FileError& error) {
        return error.what();
    }
    return "no error";
}

std::string ErrorOf(const std::function<void()>& action) {
    return TextOf(Thrown(action));
}

// Runs body in a child process and returns the text it reports, so that the limits and the identity it
// changes reach no other test.
std::string InChild(const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return "no pipe";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const std::string report = body();
        [[maybe_unused]] const ssize_t ignored = ::write(channel[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[256];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        report.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return report;
}

std::vector<std::uint8_t> RandomBytes(std::size_t size) {
    std::mt19937 random(static_cast<unsigned>(size));
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

unsigned ModeOf(const std::string& path) {
    return static_cast<unsigned>(fs::status(path).permissions());
}

const std::vector<std::uint8_t> Previous{1, 2, 3};

}  // namespace

class FileImageRoundTrip : public ::testing::TestWithParam<std::size_t> {};

TEST_P(FileImageRoundTrip, KeepsEveryByte) {
    TempDir dir;
    const std::vector<std::uint8_t> bytes = RandomBytes(GetParam());
    WriteBytes(dir.File("in.bin"), bytes);
    WriteBytes(dir.File("longer.bin"), RandomBytes(GetParam() + 7));

    FileBytes fileData = Previous;
    LoadFileData(fileData, dir.File("in.bin"));
    EXPECT_EQ(fileData, bytes);
    SaveFileData(fileData, dir.File("new.bin"));
    SaveFileData(fileData, dir.File("longer.bin"));

    EXPECT_EQ(ReadBytes(dir.File("new.bin")), bytes);
    EXPECT_EQ(ReadBytes(dir.File("longer.bin")), bytes);
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"in.bin", "longer.bin", "new.bin"}));
}

// Only a load may leave bytes unset, as it overwrites them all: growing an image any other way gives zeros,
// even into room that held other bytes before.
TEST(FileImageBytes, GrowingGivesZeroBytes) {
    FileBytes bytes(std::vector<std::uint8_t>(16, 0xFF));
    bytes.resize(1);
    bytes.resize(16);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, FileImageRoundTrip,
                         ::testing::Values(0, 1, 3, (3u << 20) + 1, (5u << 20) + 3));

TEST(FileImageLoad, FailureLeavesFileDataAsItWas) {
    TempDir dir;
    fs::create_directory(dir.Path() / "folder");
    // Beyond what a signed 32-bit offset reaches; sparse, so it costs no disk.
    WriteBytes(dir.File("huge.bin"), {});
    fs::resize_file(dir.File("huge.bin"), std::uintmax_t{1} << 31);
    const std::pair<std::string, std::string> cases[] = {
        {dir.File("missing.bin"), "File not found"},
        {dir.File("no-folder/missing.bin"), "Invalid filename"},
        {dir.File("folder"), "File access denied"},
        {dir.File("huge.bin"), "Out of memory"},
    };
    for (const auto& [path, text] : cases) {
        FileBytes fileData = Previous;
        EXPECT_EQ(ErrorOf([&, &path = path] { LoadFileData(fileData, path); }), text) << path;
        EXPECT_EQ(fileData, Previous) << path;
    }
}

TEST(FileImageSave, FailureCreatesAndReplacesNothing) {
    TempDir dir;
    fs::create_directory(dir.Path() / "folder");
    EXPECT_EQ(ErrorOf([&] { SaveFileData(Previous, dir.File("no-folder/out.bin")); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { SaveFileData(Previous, dir.File("folder")); }), "File access denied");
    EXPECT_TRUE(fs::is_directory(dir.Path() / "folder"));
    EXPECT_TRUE(fs::is_empty(dir.Path() / "folder"));
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"folder"});
}

TEST(FileImageSave, AFileSizeLimitLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string target = dir.File("rom.bin");
    WriteBytes(target, Previous);
    const std::string error = InChild([&] {
        IgnoreFileSizeSignal();
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return ErrorOf([&] { SaveFileData(RandomBytes(10000), target); });
    });
    EXPECT_EQ(error, "The file is larger than the system lets this program write");
    EXPECT_EQ(ReadBytes(target), Previous);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"rom.bin"});
}

TEST(FileImageErrors, TooManyOpenFiles) {
    TempDir dir;
    WriteBytes(dir.File("rom.bin"), Previous);
    const std::string errors = InChild([&] {
        const rlimit limit{32, 32};
        ::setrlimit(RLIMIT_NOFILE, &limit);
        std::vector<int> held;
        for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;) {
            held.push_back(fd);
        }
        FileBytes fileData;
        const std::exception_ptr load = Thrown([&] { LoadFileData(fileData, dir.File("rom.bin")); });
        const std::exception_ptr save = Thrown([&] { SaveFileData(Previous, dir.File("rom.bin")); });
        // The sanitizers need a free descriptor of their own to inspect the caught errors.
        for (const int fd : held) {
            ::close(fd);
        }
        return TextOf(load) + "|" + TextOf(save);
    });
    EXPECT_EQ(errors, "Too many open files|Too many open files");
}

// Run as an ordinary user; root is dropped to nobody first, since root may read and write anything.
TEST(FileImageErrors, AccessDeniedChangesNothing) {
    TempDir dir;
    fs::permissions(dir.Path(), fs::perms(0755));
    WriteBytes(dir.File("secret.bin"), Previous);
    WriteBytes(dir.File("readonly.bin"), Previous);
    fs::create_directory(dir.Path() / "locked");
    fs::permissions(dir.File("secret.bin"), fs::perms::none);
    fs::permissions(dir.File("readonly.bin"), fs::perms(0444));
    fs::permissions(dir.Path() / "locked", fs::perms(0555));
    const std::string errors = InChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return std::string("cannot leave root");
        }
        FileBytes fileData;
        return ErrorOf([&] { LoadFileData(fileData, dir.File("secret.bin")); }) + "|" +
               ErrorOf([&] { SaveFileData({}, dir.File("readonly.bin")); }) + "|" +
               ErrorOf([&] { SaveFileData({}, dir.File("locked/new.bin")); });
    });
    EXPECT_EQ(errors, "File access denied|File access denied|File access denied");
    EXPECT_EQ(ReadBytes(dir.File("readonly.bin")), Previous);
    EXPECT_TRUE(fs::is_empty(dir.Path() / "locked"));
}

TEST(FileImageSave, ReplacedFileKeepsItsPermissionsAndLinks) {
    TempDir dir;
    const std::string target = dir.File("rom.bin");
    WriteBytes(target, Previous);
    fs::permissions(target, fs::perms(0604));
    fs::create_symlink(target, dir.File("link.bin"));
    SaveFileData(RandomBytes(5), dir.File("link.bin"));
    EXPECT_EQ(ModeOf(target), 0604u);
    EXPECT_TRUE(fs::is_symlink(dir.File("link.bin")));
    EXPECT_EQ(ReadBytes(target), RandomBytes(5));

    const mode_t mask = ::umask(027);
    SaveFileData(Previous, dir.File("new.bin"));
    ::umask(mask);
    EXPECT_EQ(ModeOf(dir.File("new.bin")), 0640u);
}

// Every name of a file with hard links sees what was saved under one of them.
TEST(FileImageSave, HardLinksAllSeeTheSavedBytes) {
    TempDir dir;
    WriteBytes(dir.File("rom.bin"), RandomBytes(300));
    fs::create_hard_link(dir.File("rom.bin"), dir.File("other.bin"));
    for (const std::size_t size : {5, 700}) {
        SaveFileData(RandomBytes(size), dir.File("rom.bin"));
        EXPECT_EQ(ReadBytes(dir.File("other.bin")), RandomBytes(size));
    }
    EXPECT_EQ(fs::hard_link_count(dir.File("rom.bin")), 2u);
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"other.bin", "rom.bin"}));
}

// A link whose target is not there yet is saved through, as writing to the link would, never replaced.
TEST(FileImageSave, DanglingLinksAreWrittenThroughNotReplaced) {
    TempDir dir;
    fs::create_directory(dir.Path() / "sub");
    fs::create_symlink("nowhere.bin", dir.File("dang.bin"));
    fs::create_symlink("../dang.bin", dir.File("sub/chain.bin"));
    fs::create_symlink(dir.File("far.bin"), dir.File("absolute.bin"));
    fs::create_symlink("loop-b.bin", dir.File("loop-a.bin"));
    fs::create_symlink("loop-a.bin", dir.File("loop-b.bin"));

    SaveFileData(Previous, dir.File("sub/chain.bin"));
    SaveFileData(RandomBytes(4), dir.File("absolute.bin"));
    EXPECT_EQ(ErrorOf([&] { SaveFileData(Previous, dir.File("loop-a.bin")); }), "Invalid filename");

    EXPECT_EQ(ReadBytes(dir.File("nowhere.bin")), Previous);
    EXPECT_EQ(ReadBytes(dir.File("far.bin")), RandomBytes(4));
    for (const char* link : {"dang.bin", "sub/chain.bin", "absolute.bin", "loop-a.bin", "loop-b.bin"}) {
        EXPECT_TRUE(fs::is_symlink(dir.File(link))) << link;
    }
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"absolute.bin", "dang.bin", "far.bin", "loop-a.bin",
                                                        "loop-b.bin", "nowhere.bin", "sub"}));
}

}  // namespace tintorb::test
