#include "room_server.h"

#include <algorithm>

#include "byte_order.h"
#include "message_types.h"
#include "package_text.h"
#include "text.h"

namespace lmn::dev {

using namespace lmn::net;

namespace {

// The package inside a NET_DATA payload: its own length, held to the bytes received.
std::span<const std::uint8_t> PackageBytes(const std::vector<std::uint8_t>& data) {
    if (data.size() < 4) return data;
    auto length = static_cast<std::int32_t>(LoadLe32(data.data()));
    std::size_t size = length < 0 ? 0 : std::min(static_cast<std::size_t>(length), data.size());
    return std::span<const std::uint8_t>(data.data(), size);
}

}  // namespace

RoomServer::RoomServer(Reactor& reactor, RoomOptions options, RoomLog log)
    : options_(options),
      log_(std::move(log)),
      engine_(reactor, *this),
      outbox_(engine_, directory_),
      matches_(outbox_, directory_, options_, log_) {}

bool RoomServer::Listen(const std::string& address, std::uint16_t port) {
    return engine_.listen(address, port, 128) != 0;
}

void RoomServer::onNetEvent(NetEvent event) {
    if (event.code == NET_DATA) {
        Session* session = directory_.ByHandle(event.handle);
        if (!session) {
            session = &directory_.Open(event.handle);
            log_("open conn=" + std::to_string(event.handle));
        }
        OnPackage(*session, PackageBytes(event.data));
    } else if (event.code == NET_CLOSED || event.code == NET_ERROR) {
        Closed(event.handle);
    }
}

void RoomServer::OnPackage(Session& session, std::span<const std::uint8_t> package) {
    log_("recv user=" + std::to_string(session.userId) + " " + DescribePackage(package));
    PackageReader reader(package);
    try {
        Dispatch(session, reader, package);
    } catch (const PackageError& e) {
        log_(std::string("dropped: ") + e.what());
    }
}

void RoomServer::Dispatch(Session& session, PackageReader& reader, std::span<const std::uint8_t> package) {
    switch (reader.type()) {
        case MSG_SRV_LOGIN:
            Login(session, reader);
            break;
        case MSG_SRV_USER_LIST: {
            reader.readInt32();
            SendUserList(session, reader.readInt32());
            break;
        }
        case MSG_SRV_AUTO_GROUP: {
            reader.readInt32();
            std::int32_t roomId = reader.readInt32();
            if (!LoggedIn(session, "auto group")) break;
            if (roomId == 0 && reader.remaining() == 0) {
                matches_.CancelAutoGroup(session);
                break;
            }
            std::int32_t wanted = reader.readInt32();
            reader.readString();
            matches_.AutoGroup(session, roomId, wanted);
            break;
        }
        case MSG_SRV_MATCH_START: {
            std::int32_t inviter = reader.readInt32();
            matches_.StartInvited(inviter, reader.readInt32());
            break;
        }
        case MSG_SRV_INVITE:
            Invite(session, reader, package);
            break;
        case MSG_SRV_INVITE_REPLY:
            Forward(reader.readInt32(), package);
            break;
        case MSG_SRV_FETCH_FOR_ME:
            Forward(reader.readInt32(), package);
            break;
        case MSG_SRV_CHAT:
            if (LoggedIn(session, "chat")) Chat(session, reader.readString());
            break;
        case MSG_SRV_WATCH: {
            std::int32_t first = reader.readInt32();
            matches_.Watch(session, first, reader.readInt32());
            break;
        }
        case MSG_SRV_QUIT_WATCH:
            matches_.QuitWatch(session.handle);
            break;
        case MSG_GAME_DEAL:
        case MSG_RESTART_ASK:
        case MSG_RESTART_REPLY:
        case MSG_SRV_GAME_SETUP:
        case MSG_SRV_LOAD_DONE:
        case MSG_SRV_GAME_OVER:
        case MSG_SRV_REMATCH_REPLY:
            if (LoggedIn(session, "game package")) matches_.Relay(session, reader, package);
            break;
        default:
            break;
    }
}

bool RoomServer::LoggedIn(const Session& session, const char* what) {
    if (session.userId != 0) return true;
    log_(std::string("ignored ") + what + " before login conn=" + std::to_string(session.handle));
    return false;
}

void RoomServer::Login(Session& session, PackageReader& reader) {
    std::int32_t userId = reader.readInt32();
    std::string name = reader.readString();
    bool longForm = reader.remaining() > 0;
    std::int32_t roomId = 0;
    if (longForm) {
        roomId = reader.readInt32();
        session.serverId = reader.readInt32();
        session.serverName = reader.readString();
        session.baseUrl = reader.readString();
    }
    if (Session* holder = directory_.ByUser(userId); holder && holder != &session) {
        // The same player logged in again on a new connection: the old one leaves the lists.
        LeaveRoom(*holder);
    }
    bool wasInRoom = session.inRoom;
    bool changed = session.userId != userId || session.name != name;
    if (wasInRoom && (longForm || changed)) LeaveRoom(session);
    directory_.BindUser(session, userId);
    session.name = name;
    if (longForm)
        EnterRoom(session, roomId);
    else if (wasInRoom && changed)
        EnterRoom(session, session.roomId);
}

void RoomServer::EnterRoom(Session& session, std::int32_t roomId) {
    directory_.EnterRoom(session, roomId);
    PackageWriter add(MSG_SRV_USER_ADD);
    add.string(RoomDirectory::UserInfo(session));
    outbox_.ToRoom(roomId, add, session.handle);
    PackageWriter list = matches_.MatchList(roomId);
    outbox_.ToHandle(session.handle, list);
}

void RoomServer::LeaveRoom(Session& session) {
    if (!session.inRoom) return;
    session.inRoom = false;
    PackageWriter remove(MSG_SRV_USER_REMOVE);
    remove.string(RoomDirectory::UserInfo(session));
    outbox_.ToRoom(session.roomId, remove, session.handle);
}

void RoomServer::SendUserList(const Session& session, std::int32_t roomId) {
    auto members = directory_.Members(roomId);
    PackageWriter list(MSG_SRV_USER_LIST);
    list.int32(static_cast<std::int32_t>(members.size()));
    for (const Session* member : members) list.string(RoomDirectory::UserInfo(*member));
    outbox_.ToHandle(session.handle, list);
}

void RoomServer::Chat(const Session& session, const std::string& content) {
    if (!session.inRoom) return;
    PackageWriter chat(MSG_SRV_CHAT);
    chat.string(session.name).string(content);
    outbox_.ToRoom(session.roomId, chat);
}

void RoomServer::Invite(const Session& session, PackageReader& reader,
                        std::span<const std::uint8_t> package) {
    std::int32_t inviter = reader.readInt32();
    reader.readString();
    std::int32_t invitee = reader.readInt32();
    if (outbox_.RawToUser(invitee, package)) return;
    log_("invitee not connected: " + std::to_string(invitee));
    PackageWriter reply(MSG_SRV_INVITE_REPLY);
    reply.int32(inviter).int32(invitee).int32(0).string(Utf8ToGbk("对方不在线")).string("");
    outbox_.ToHandle(session.handle, reply);
}

void RoomServer::Forward(std::int32_t userId, std::span<const std::uint8_t> package) {
    if (!outbox_.RawToUser(userId, package)) log_("not connected: " + std::to_string(userId));
}

void RoomServer::Closed(ConnectionHandle handle) {
    Session* session = directory_.ByHandle(handle);
    if (!session) return;
    log_("close user=" + std::to_string(session->userId));
    matches_.QuitWatch(handle);
    if (session->userId != 0 && directory_.ByUser(session->userId) == session)
        matches_.PlayerLeft(session->userId);
    LeaveRoom(*session);
    directory_.Remove(handle);
}

bool RoomServer::SendNotice(std::int32_t userId, const std::string& text) {
    PackageWriter notice(MSG_SRV_NOTICE);
    notice.string(text);
    if (userId != 0) return outbox_.ToUser(userId, notice);
    for (Session* session : directory_.All()) outbox_.ToHandle(session->handle, notice);
    return true;
}

bool RoomServer::PostAddress(std::int32_t userId, const std::string& content) {
    PackageWriter post(MSG_SRV_ADDRESS_POST);
    post.string(content);
    return outbox_.ToUser(userId, post);
}

}  // namespace lmn::dev
