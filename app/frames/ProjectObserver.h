#pragma once

// Told by the application when the open panel project changed: another one
// was opened, or a conversion may have written its files.
class IProjectObserver {
public:
    virtual ~IProjectObserver() = default;
    virtual void OnProjectChanged() = 0;
};
