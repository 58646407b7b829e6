#pragma once

namespace run {

// A request to stop a run that waits on workers can watch: Ctrl+C and
// SIGTERM in an automatic run, ｷｬﾝｾﾙ on the desk.
class IStopRequest {
public:
    virtual ~IStopRequest() = default;
    // Readable when a request waits; -1 when there is nothing to watch.
    virtual int Fd() const = 0;
    // Whether a request came; takes those waiting. Does not wait.
    virtual bool Requested() = 0;
};

// The desk's ｷｬﾝｾﾙ, asked from the desk's thread and watched on the run's.
class CancelRequest final : public IStopRequest {
public:
    CancelRequest();
    ~CancelRequest() override;
    CancelRequest(const CancelRequest&) = delete;
    CancelRequest& operator=(const CancelRequest&) = delete;

    void Request();
    int Fd() const override { return fd_; }
    bool Requested() override;

private:
    int fd_ = -1;
    bool requested_ = false;
};

} // namespace run
