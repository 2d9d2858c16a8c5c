// Another program on the same display, for the tests of the clipboard
// between programs. It knows only the format names, not this program:
//
//   clipboard_peer get FORMAT FILE        writes the clipboard's bytes under
//                                         FORMAT into FILE; exit 1 if none
//   clipboard_peer put FORMAT FILE READY  offers FILE's bytes under FORMAT,
//                                         creates READY, then serves them
//                                         for up to 20 seconds
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

class PeerApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

int Get(const wxDataFormat& format, const char* file)
{
    if (!wxTheClipboard->Open())
        return 2;
    wxCustomDataObject data(format);
    const bool found = wxTheClipboard->IsSupported(format) && wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
    if (!found)
        return 1;
    std::ofstream(file, std::ios::binary).write(static_cast<const char*>(data.GetData()),
                                                static_cast<std::streamsize>(data.GetSize()));
    return 0;
}

int Put(const wxDataFormat& format, const char* file, const char* ready)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!wxTheClipboard->Open())
        return 2;
    auto* data = new wxCustomDataObject(format);
    data->SetData(bytes.size(), bytes.data());
    const bool set = wxTheClipboard->SetData(data);
    wxTheClipboard->Close();
    if (!set)
        return 1;
    std::ofstream(ready).put('1');
    // The clipboard's data stays with its owner: the requests of the
    // program that pastes are answered from this loop.
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
        while (loop.Pending())
            loop.Dispatch();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "get" && argc == 4) || (mode == "put" && argc == 5))) {
        std::fprintf(stderr, "usage: clipboard_peer get FORMAT FILE | put FORMAT FILE READY\n");
        return 64;
    }
    int wxArgc = 1;
    wxApp::SetInstance(new PeerApp);
    if (!wxEntryStart(wxArgc, argv))
        return 3;
    wxTheApp->CallOnInit();
    const wxDataFormat format(wxString::FromUTF8(argv[2]));
    const int result = mode == "get" ? Get(format, argv[3]) : Put(format, argv[3], argv[4]);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
