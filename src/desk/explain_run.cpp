#include "desk/explain_run.h"

#include "desk/screen_typing.h"
#include "terminal/log_writer.h"

namespace orvalen::desk {

ExplainRun explainIdentification(const OpenClub& club, const ExplainRequest& request) {
    ExplainRun run;
    ExplainRecorder recorder(request.at);
    terminal::DiscardingLogWriter writer;
    terminal::NoReaderLine readerLine;
    terminal::NoFingerprintReader fingerprint;
    terminal::TerminalUnit unit;
    unit.operatorCode = QStringLiteral("00");
    terminal::ScreenServices services{*club.connection,
                                      recorder,
                                      recorder,
                                      recorder,
                                      recorder,
                                      writer,
                                      terminal::Devices{readerLine, fingerprint},
                                      unit,
                                      club.local,
                                      &recorder,
                                      nullptr,
                                      &recorder};
    terminal::TerminalScreen screen(services);
    if (request.businessDate)
        screen.fixBusinessDate(*request.businessDate);

    screen.FormCreate(1024, 768);
    screen.FormShow();
    if (screen.state().closeRequested) {
        run.explanation = recorder.explanation;
        return run;
    }
    run.opened = true;
    screen.FormActivate();
    if (request.beforeTyping && !request.beforeTyping(screen)) {
        run.stopped = true;
        return run;
    }
    // Only what the identification itself went through.
    recorder.explanation = Explanation{};
    recorder.explanation.typed = request.number;
    recorder.explanation.businessDate = screen.businessDate();
    recorder.explanation.time = request.at.time();
    if (typeAtKeyboard(screen, request.number, false))
        pressEnter(screen);
    run.explanation = recorder.explanation;
    run.closed = screen.state().closeRequested;
    return run;
}

} // namespace orvalen::desk
