// The task editors' rules on fake windows: what each starts with, what OK accepts and writes,
// what closing leaves in the kind box, the alert's sound test and the program editor's Browse.
#include "core/alert_editor.h"
#include "core/program_editor.h"
#include "core/web_address_editor.h"
#include "core_fixture.h"

namespace {

using core::Window;
using platform::MessageIcon;

const std::string kMissingSound =
    "The system sound file referred by 'Corvane' does not exist in your computer. it is recommend that you "
    "uncheck 'Play Sound' option and continue.";

/// Records what the editors block and free, in order ("Main off" ...).
struct RecordingBlocker final : core::WindowBlocker {
    std::vector<std::string> log;
    static std::string name(Window w) {
        static const char* const kNames[] = {"Main", "Options", "Alert", "About", "Program", "Web"};
        return kNames[static_cast<int>(w)];
    }
    void block(Window w, Window /*blockedBy*/, bool createMissing) override {
        log.push_back(name(w) + (createMissing ? " made off" : " off"));
    }
    void free(Window w) override { log.push_back(name(w) + " on"); }
};

/// One fake window for all three editors: the box, the sound check, whether it was closed.
struct FakeEditorWindow final : core::AlertEditorView, core::ProgramEditorView, core::WebAddressEditorView {
    std::string text = "left from before";
    bool playSound = false;
    std::size_t typingLimit = 0;
    bool closed = false;
    int looks = 0;

    std::string message() const override { return text; }
    void clearMessage() override { text.clear(); }
    bool isPlaySoundChecked() const override { return playSound; }
    void setPlaySoundChecked(bool checked) override { playSound = checked; }
    std::string path() const override { return text; }
    void setPath(const std::string& path, std::size_t limit) override {
        text = path;
        typingLimit = limit;
    }
    platform::WindowHandle handle() override { return this; }
    std::string address() const override { return text; }
    void setAddress(const std::string& address) override { text = address; }
    void showLook() override { ++looks; }
    void closeWindow() override { closed = true; }
};

struct EditorTest : CoreFixture {
    FakeEditorWindow view;
    RecordingBlocker blocker;
    int kindCleared = 0;

    EditorTest() {
        state.changeTask([](core::ScheduledTask& t) { t.playSound = true; });
        state.setSoundFolder("/opt/corvane/share/corvane");
    }
    core::EditorContext context() {
        return {f.services, state, blocker, [this] { ++kindCleared; }};
    }
};

TEST_F(EditorTest, Alert_OpensEmptyAcceptsAnyNonEmptyTextAndClosingEmptyClearsTheKind) {
    core::AlertEditor editor(view, context());
    editor.load();
    EXPECT_EQ(view.text, "");
    EXPECT_TRUE(view.playSound);

    // OK on an empty box warns and changes nothing.
    view.playSound = false;
    editor.accept();
    EXPECT_EQ(f.messages->shown, fakes::oneBox("Please type the Message.", MessageIcon::Exclamation));
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(state.task().message, "message");
    EXPECT_TRUE(state.task().playSound);

    for (const std::string& typed :
         std::vector<std::string>{"Meeting at ten", "   ", std::string(200, 'x'), "two\nlines"}) {
        view.closed = false;
        view.text = typed;
        view.playSound = typed.size() % 2 == 0;
        editor.accept();
        EXPECT_EQ(state.task().message, typed);
        EXPECT_EQ(state.task().playSound, typed.size() % 2 == 0);
        EXPECT_TRUE(view.closed);
        editor.unload();
    }
    EXPECT_EQ(kindCleared, 0);
    view.text.clear();
    editor.unload();
    EXPECT_EQ(kindCleared, 1);
}

TEST_F(EditorTest, Blocking_EachEditorBlocksItsWindowsInOrderAndFreesThem) {
    core::AlertEditor alert(view, context());
    core::ProgramEditor program(view, context());
    core::WebAddressEditor web(view, context());
    alert.activate();
    alert.unload();
    EXPECT_EQ(blocker.log, (std::vector<std::string>{"Main off", "Options off", "Main on", "Options on"}));
    blocker.log.clear();
    program.activate();
    EXPECT_EQ(blocker.log, (std::vector<std::string>{"Main off", "Options off", "Alert off", "About off"}));
    blocker.log.clear();
    web.activate();
    web.unload();
    EXPECT_EQ(blocker.log,
              (std::vector<std::string>{"Main off", "Options off", "Alert off", "About off", "Program off",
                                        "Main on", "Options on", "Alert on", "About on", "Program on"}));
    EXPECT_EQ(view.looks, 1); // the web-address editor sets its look at each activation
}

TEST_F(EditorTest, AlertTest_PlaysWhateverPlaySoundSaysAndTheEndClosesThePlayer) {
    core::AlertEditor editor(view, context());
    view.playSound = false;
    editor.testSound();
    const std::string path = "/opt/corvane/share/corvane/Media/notify.wav";
    EXPECT_EQ(f.sound->log, (std::vector<std::string>{"create", "open " + path, "play"}));
    EXPECT_TRUE(editor.isPlaying());
    f.sound->players.back()->finish();
    EXPECT_EQ(f.sound->log, (std::vector<std::string>{"create", "open " + path, "play", "stop", "close"}));
    EXPECT_FALSE(editor.isPlaying());

    // A Test during a playback starts afresh on a new player.
    editor.testSound();
    f.sound->log.clear();
    editor.testSound();
    EXPECT_EQ(f.sound->log, (std::vector<std::string>{"create", "destroy", "open " + path, "play"}));
    EXPECT_TRUE(f.sound->players.back()->playing);
    f.sound->log.clear();
    f.sound->players.back()->finish();
    EXPECT_EQ(f.sound->log, (std::vector<std::string>{"stop", "close"}));
    EXPECT_FALSE(editor.isPlaying());
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_TRUE(state.task().playSound);
}

TEST_F(EditorTest, AlertTest_AnyFailureShowsTheMissingFileWarningAndChangesNothing) {
    enum class Fault { NoSoundService, Open, Play };
    for (Fault fault : {Fault::NoSoundService, Fault::Open, Fault::Play}) {
        SCOPED_TRACE(static_cast<int>(fault));
        f.messages->shown.clear();
        f.sound->failOpen = fault == Fault::Open;
        f.sound->failPlay = fault == Fault::Play;
        std::unique_ptr<platform::SoundPlayers> saved;
        if (fault == Fault::NoSoundService) {
            saved = std::move(f.services.sound);
        }
        core::AlertEditor editor(view, context());
        editor.load();
        view.text = "typed";
        editor.testSound();
        EXPECT_EQ(f.messages->shown, fakes::oneBox(kMissingSound, MessageIcon::Exclamation));
        EXPECT_FALSE(editor.isPlaying());
        EXPECT_FALSE(view.closed);
        EXPECT_EQ(view.text, "typed");
        EXPECT_TRUE(view.playSound);
        EXPECT_EQ(state.task().message, "message");
        EXPECT_TRUE(state.task().playSound);
        if (saved) {
            f.services.sound = std::move(saved);
        }
    }
}

TEST_F(EditorTest, AlertTest_JoinsTheSoundPathWithTheSystemSeparator) {
    f.folders->sep = "\\";
    state.setSoundFolder("C:\\WINDOWS");
    core::AlertEditor editor(view, context());
    editor.testSound();
    EXPECT_EQ(f.sound->log.at(1), "open C:\\WINDOWS\\Media\\notify.wav");
    // Without a Windows directory the path starts at the root.
    state.setSoundFolder("");
    core::AlertEditor again(view, context());
    f.sound->log.clear();
    again.testSound();
    EXPECT_EQ(f.sound->log.at(1), "open \\Media\\notify.wav");
}

TEST_F(EditorTest, Program_BrowseChoiceAndCancelSequences) {
    // Each step: what the dialog hands back ("" is a cancel), what the user typed before it
    // (null: nothing), and the path box afterwards.
    struct Step {
        const char* dialog;
        const char* typedBefore;
        std::string expected;
    };
    const std::vector<std::vector<Step>> sequences = {
        {{"/usr/bin/xterm", nullptr, "/usr/bin/xterm"}, {"", nullptr, "/usr/bin/xterm"}},
        {{"", "firefox", ""}},
        {{"/a/b.sh", nullptr, "/a/b.sh"},
         {"", "typed over", "/a/b.sh"},
         {"/c/d", nullptr, "/c/d"},
         {"", nullptr, "/c/d"}},
    };
    f.fileDialog->programs = {"(*.exe)", " (*.bat)"};
    for (const auto& sequence : sequences) {
        core::ProgramEditor editor(view, context());
        editor.load();
        f.fileDialog->calls.clear();
        for (const Step& step : sequence) {
            SCOPED_TRACE(std::string(step.dialog) + " after " +
                         (step.typedBefore ? step.typedBefore : "nothing"));
            if (step.typedBefore != nullptr) {
                view.text = step.typedBefore;
            }
            f.fileDialog->results.emplace_back(step.dialog);
            editor.browse();
            EXPECT_EQ(view.text, step.expected);
        }
        // The dialog offers the system's program filters, and starts at the previous choice of this visit.
        ASSERT_EQ(f.fileDialog->calls.size(), sequence.size());
        EXPECT_EQ(f.fileDialog->calls[0].filters, (std::vector<std::string>{"(*.exe)", " (*.bat)"}));
        EXPECT_EQ(f.fileDialog->calls[0].startPath, "");
        for (std::size_t i = 1; i < sequence.size(); ++i) {
            EXPECT_EQ(f.fileDialog->calls[i].startPath, sequence[i - 1].expected);
        }
    }
    EXPECT_EQ(state.task().program, "lblexe");
}

TEST_F(EditorTest, Program_OkTakesThePathUnchangedOrWarnsWhenEmpty) {
    core::ProgramEditor editor(view, context());
    for (const char* path : {"xterm", " /no/such/program ", "/bin/sh -c true"}) {
        view.text = path;
        view.closed = false;
        editor.accept();
        EXPECT_EQ(state.task().program, path);
        EXPECT_TRUE(view.closed);
    }
    EXPECT_TRUE(f.messages->shown.empty());
    editor.unload();
    EXPECT_EQ(kindCleared, 0);

    editor.load();
    view.closed = false;
    editor.accept();
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("Please select or type the program Name.", MessageIcon::Exclamation));
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(state.task().program, "/bin/sh -c true");
    editor.unload();
    EXPECT_EQ(kindCleared, 1);
}

TEST_F(EditorTest, Program_TypingLimitLetsALongerChoiceStayWhole) {
    core::ProgramEditor editor(view, context());
    editor.load();
    EXPECT_EQ(view.typingLimit, 100u);
    const std::string longPath = "/home/user/" + std::string(140, 'd') + "/run";
    f.fileDialog->results.push_back(longPath);
    editor.browse();
    EXPECT_EQ(view.text, longPath);
    EXPECT_EQ(view.typingLimit, longPath.size());
    // A text box counts a character beyond the basic plane twice.
    EXPECT_EQ(core::characterCount("/h\xc3\xa9/\xf0\x9f\x98\x80"), 6u);
    EXPECT_EQ(core::typingLimitFor(100, 42), 100u);
}

TEST_F(EditorTest, WebAddress_AcceptsAnythingButTheExactPrefix) {
    struct Case {
        std::string text;
        bool kindKept; ///< whether closing leaves the kind in the box
    };
    const Case cases[] = {
        {"http://example.org", true}, {"HTTP://", true},         {"http:// ", true},
        {" http://", true},           {"www.example.org", true}, {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        core::WebAddressEditor editor(view, context());
        editor.load();
        EXPECT_EQ(view.text, "http://");
        view.text = c.text;
        view.closed = false;
        kindCleared = 0;
        editor.accept();
        EXPECT_EQ(state.task().webAddress, c.text);
        EXPECT_TRUE(view.closed);
        editor.unload();
        EXPECT_EQ(kindCleared, c.kindKept ? 0 : 1);
    }
    EXPECT_TRUE(f.messages->shown.empty());

    core::WebAddressEditor editor(view, context());
    editor.load();
    view.closed = false;
    editor.accept();
    EXPECT_EQ(f.messages->shown, fakes::oneBox("Please type the URL.", MessageIcon::Exclamation));
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(state.task().webAddress, "");
}

TEST(EditorLimits, ExcessOverALimitIsDroppedJustBeforeTheCursor) {
    const struct {
        std::size_t length, cursor;
        std::size_t start, count;
    } cases[] = {{200, 200, 0, 0}, {201, 201, 200, 1}, {254, 250, 196, 54}, {260, 10, 0, 60}};
    for (const auto& c : cases) {
        const core::Excess excess = core::excessOverLimit(c.length, c.cursor, 200);
        EXPECT_EQ(excess.count, c.count) << c.length << " " << c.cursor;
        if (c.count > 0) {
            EXPECT_EQ(excess.start, c.start) << c.length << " " << c.cursor;
        }
    }
}

TEST(EditorLimits, APastedTextKeepsOnlyItsFirstLine) {
    const struct {
        const char* pasted;
        const char* kept;
    } cases[] = {{"notepad.exe", "notepad.exe"},
                 {"C:\\Tools\\run.exe\r\nsecond", "C:\\Tools\\run.exe"},
                 {"a\nb\rc", "a"},
                 {"\nleading break", ""},
                 {"caf\xC3\xA9\xE2\x80\xA8next", "caf\xC3\xA9"},
                 {"end\xE2\x80\xA9", "end"},
                 {"\xE2\x80\xA6 ellipsis stays", "\xE2\x80\xA6 ellipsis stays"}};
    for (const auto& c : cases) {
        EXPECT_EQ(core::firstLineOf(c.pasted), c.kept) << c.pasted;
    }
}

} // namespace
