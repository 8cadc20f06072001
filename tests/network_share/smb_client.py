# Another computer on the school's network, as the tests of the shared data
# folder see it: an SMB2 client (python3-impacket) of the test's own smbd.
# It reads commands from its standard input, one a line, and answers each
# with one line ("ok ..." or "refused <NT status>"):
#   open NAME            opens the file for reading and writing, sharing both
#   lock START LENGTH    an exclusive byte-range lock on the open file, as a
#                        program that locks the record it edits takes it
#   unlock START LENGTH  gives that lock back
#   read PATH            the whole open file, read through its handle, into PATH
#   fetch NAME PATH      the whole file, opened anew, read and closed, into PATH
#   close                closes the open file
#   quit
# Usage: smb_client.py PORT SHARE
import sys

from impacket import smb3structs as smb2
from impacket.smbconnection import SMBConnection, SessionError


def lock_request(conn, tree, fid, start, length, flags):
    # impacket's own lock call joins its elements as text, which Python 3
    # refuses; the request is the same, built from the element's bytes.
    element = smb2.SMB2_LOCK_ELEMENT()
    element['Offset'] = start
    element['Length'] = length
    element['Flags'] = flags
    request = smb2.SMB2Lock()
    request['FileID'] = fid
    request['LockCount'] = 1
    request['LockSequence'] = 0
    request['Locks'] = element.getData()
    packet = conn.SMB_PACKET()
    packet['Command'] = smb2.SMB2_LOCK
    packet['TreeID'] = tree
    packet['Data'] = request
    answer = conn.recvSMB(conn.sendSMB(packet))
    return answer['Status']


def read_whole(client, tree, fid):
    return client.readFile(tree, fid, 0, 1 << 24, singleCall=False)


def close(client, tree, fid):
    try:
        client.closeFile(tree, fid)
    except KeyError:
        # The server has closed the file; impacket keeps one entry per file
        # name, which the other handle of the same file took with it.
        pass


def main():
    port, share = int(sys.argv[1]), sys.argv[2]
    client = SMBConnection('127.0.0.1', '127.0.0.1', sess_port=port, preferredDialect=smb2.SMB2_DIALECT_21)
    client.login('', '')
    tree = client.connectTree(share)
    conn = client.getSMBServer()
    fid = None
    sharing = smb2.FILE_SHARE_READ | smb2.FILE_SHARE_WRITE | smb2.FILE_SHARE_DELETE
    access = smb2.FILE_READ_DATA | smb2.FILE_WRITE_DATA
    print('ok ready', flush=True)
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        try:
            if words[0] == 'open':
                fid = client.openFile(tree, words[1], desiredAccess=access, shareMode=sharing)
                print('ok', flush=True)
            elif words[0] in ('lock', 'unlock'):
                flags = (smb2.SMB2_LOCKFLAG_EXCLUSIVE_LOCK | smb2.SMB2_LOCKFLAG_FAIL_IMMEDIATELY
                         if words[0] == 'lock' else smb2.SMB2_LOCKFLAG_UNLOCK)
                status = lock_request(conn, tree, fid, int(words[1]), int(words[2]), flags)
                print('ok' if status == 0 else 'refused 0x%08x' % status, flush=True)
            elif words[0] == 'read':
                data = read_whole(client, tree, fid)
                with open(words[1], 'wb') as out:
                    out.write(data)
                print('ok %d' % len(data), flush=True)
            elif words[0] == 'fetch':
                other = client.openFile(tree, words[1], desiredAccess=smb2.FILE_READ_DATA, shareMode=sharing)
                data = read_whole(client, tree, other)
                close(client, tree, other)
                with open(words[2], 'wb') as out:
                    out.write(data)
                print('ok %d' % len(data), flush=True)
            elif words[0] == 'close':
                close(client, tree, fid)
                fid = None
                print('ok', flush=True)
            elif words[0] == 'quit':
                print('ok', flush=True)
                break
            else:
                print('refused unknown command', flush=True)
        except SessionError as e:
            print('refused 0x%08x' % e.getErrorCode(), flush=True)
    client.close()


main()
