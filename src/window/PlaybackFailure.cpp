#include "PlaybackFailure.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// "Cannot play: "
constexpr char kCannotPlay[] = "无法播放：";

QByteArray fileProblem(const QByteArray& mediaPath) {
    struct stat status {};
    if (stat(mediaPath.constData(), &status) != 0)
        return "文件不存在"; // the file does not exist
    if (S_ISDIR(status.st_mode))
        return "这是文件夹"; // it is a folder
    if (access(mediaPath.constData(), R_OK) != 0)
        return "没有读取权限"; // no permission to read it
    if (S_ISREG(status.st_mode) && status.st_size == 0)
        return "文件是空的";     // the file is empty
    return "播放器不认识此文件"; // the player does not know this file
}

} // namespace

QByteArray failureLine(PlayerSession::Failure why, const QByteArray& mediaPath) {
    switch (why) {
    case PlayerSession::Failure::PlayerQuit:
        return kCannotPlay + QByteArray("播放器意外退出"); // the player quit unexpectedly
    case PlayerSession::Failure::NotFound:
    case PlayerSession::Failure::NotPlayable:
        break;
    }
    return kCannotPlay + fileProblem(mediaPath);
}

QByteArray startFailureLine(int error) {
    QByteArray reason;
    switch (error) {
    case ENOENT:
        reason = "找不到播放器"; // the player is not there
        break;
    case EACCES:
    case ENOEXEC:
        reason = "播放器无法运行"; // the player cannot be run
        break;
    case EAGAIN:
    case ENOMEM:
        reason = "系统资源不足"; // the system is short of resources
        break;
    case EMFILE:
    case ENFILE:
        reason = "打开的文件太多"; // too many open files
        break;
    default:
        reason = "无法启动播放器"; // the player cannot be started
        break;
    }
    return kCannotPlay + reason;
}
